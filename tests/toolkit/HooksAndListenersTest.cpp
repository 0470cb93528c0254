#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/WindowTesting.h"

using namespace windowtesting;

namespace {

struct Log {
    std::string calls;
    Window* toDelete = nullptr;
    Window* window = nullptr;
};

void first(Log* log, Window*, UINT_PTR) { log->calls += "1"; }
void second(Log* log, Window*, UINT_PTR) { log->calls += "2"; }
void third(Log* log, Window*, UINT_PTR) { log->calls += "3"; }

void removeOwnOwner(Log* log, Window* w, UINT_PTR)
{
    log->calls += "R";
    w->removeListeners(log);
}

void deleteWindow(Log* log, Window*, UINT_PTR)
{
    log->calls += "D";
    delete log->toDelete;
    log->toDelete = nullptr;
}

void hookA(Log* log, Component*, MessageRecord& record)
{
    if (record.message == WM_GETTEXTLENGTH) {
        log->calls += "A";
        record.result = 77;
        record.handled = 1;
    }
}

void hookB(Log* log, Component*, MessageRecord& record)
{
    if (record.message == WM_GETTEXTLENGTH)
        log->calls += "B";
}

void hookRemovingItself(Log* log, Component* c, MessageRecord& record)
{
    if (record.message == WM_GETTEXTLENGTH) {
        log->calls += "S";
        c->removeMessageHooks(log);
    }
}

void hookDeletingItsWindow(Log* log, Component* c, MessageRecord& record)
{
    if (record.message == WM_USER) {
        log->calls += "X";
        delete c;
    }
}

}

TEST(ListenerWalk, NewestListenerRunsFirst)
{
    Log log;
    Window* w = topLevel();
    w->addTimerListener(&log, first);
    w->addTimerListener(&log, second);
    w->addTimerListener(&log, third);
    SendMessageA(w->handle(), WM_TIMER, 1, 0);
    EXPECT_EQ("321", log.calls);
    delete w;
}

TEST(ListenerWalk, ListenerRemovingItsOwnerDuringTheWalkLetsTheOthersRun)
{
    Log log;
    Log other;
    Window* w = topLevel();
    w->addTimerListener(&other, first);
    w->addTimerListener(&log, third);
    w->addTimerListener(&log, removeOwnOwner);
    w->addTimerListener(&other, second);
    SendMessageA(w->handle(), WM_TIMER, 1, 0);
    EXPECT_EQ("R", log.calls) << "a listener taken out during the walk must not run";
    EXPECT_EQ("21", other.calls);
    log.calls.clear();
    other.calls.clear();
    SendMessageA(w->handle(), WM_TIMER, 1, 0);
    EXPECT_EQ("", log.calls);
    EXPECT_EQ("21", other.calls);
    delete w;
}

TEST(ListenerWalk, ListenerDeletingTheParentFromAChildMessageIsSafe)
{
    Log log;
    Window* top = topLevel();
    Window* c = child(top);
    log.toDelete = top;
    c->addTimerListener(&log, deleteWindow);
    c->addTimerListener(&log, first);
    SendMessageA(c->handle(), WM_TIMER, 1, 0);
    EXPECT_EQ("1D", log.calls);
    EXPECT_EQ(0, liveComponentWindows());
}

TEST(MessageHooks, AllHooksRunAHandledResultSkipsTheProcedureAndAHookMayRemoveItself)
{
    Log log;
    Log leaving;
    Window* w = topLevel();
    w->addMessageHook(&log, hookA);
    w->addMessageHook(&leaving, hookRemovingItself);
    w->addMessageHook(&log, hookB);
    EXPECT_EQ(77, SendMessageA(w->handle(), WM_GETTEXTLENGTH, 0, 0));
    EXPECT_EQ(77, SendMessageA(w->handle(), WM_GETTEXTLENGTH, 0, 0));
    EXPECT_EQ("BABA", log.calls);
    EXPECT_EQ("S", leaving.calls);
    w->removeMessageHooks(&log);
    EXPECT_EQ(3, SendMessageA(w->handle(), WM_GETTEXTLENGTH, 0, 0)) << "\"top\" from the default procedure";
    delete w;
}

TEST(MessageHooks, HookDeletingItsComponentIsNotFollowedByAnyTouchOfIt)
{
    Log log;
    Log other;
    Window* w = topLevel();
    HWND handle = w->handle();
    w->addMessageHook(&other, hookB);
    w->addMessageHook(&log, hookDeletingItsWindow);
    EXPECT_EQ(0, SendMessageA(handle, WM_USER, 0, 0));
    EXPECT_EQ("X", log.calls);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(0, liveComponentWindows());
}

namespace {

// Listeners of ten owners that, while being walked, take owners out and add
// new listeners at random; the model says who may still run.
struct Chaos {
    ListenerList<int> list;
    ListLock lock;
    int owners[10] = {};
    bool removed[10] = {};
    int held[10] = {};
    unsigned seed = 12345;

    unsigned next() { return seed = seed * 1103515245u + 12345u; }
};

Chaos* chaos = nullptr;

void act(int* owner, int)
{
    const int index = static_cast<int>(owner - chaos->owners);
    EXPECT_FALSE(chaos->removed[index]) << "a listener ran after its owner was taken out";
    const unsigned roll = chaos->next() % 4;
    const int victim = static_cast<int>(chaos->next() % 10);
    if (roll == 0) {
        chaos->removed[victim] = true;
        chaos->list.removeOwner(&chaos->owners[victim], chaos->lock);
    } else if (roll == 1 && !chaos->removed[victim]) {
        chaos->list.add(&chaos->owners[victim], act);
        ++chaos->held[victim];
    }
}

}

TEST(ListenerWalk, RandomRemovalsAndAdditionsDuringWalksNeverRunARemovedListener)
{
    Window* holder = topLevel();
    for (int round = 0; round < 200; ++round) {
        Chaos state;
        state.seed += static_cast<unsigned>(round);
        chaos = &state;
        for (int i = 0; i < 30; ++i) {
            state.list.add(&state.owners[i % 10], act);
            ++state.held[i % 10];
        }
        for (int walk = 0; walk < 5; ++walk) {
            LifeGuard life(*holder);
            ASSERT_TRUE(state.list.invoke(state.lock, life, walk));
            EXPECT_FALSE(state.lock.busy());
        }
        int expected = 0;
        for (int i = 0; i < 10; ++i)
            expected += state.removed[i] ? 0 : state.held[i];
        EXPECT_EQ(expected, state.list.count());
    }
    chaos = nullptr;
    delete holder;
}
