#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/WindowTesting.h"

using namespace windowtesting;

namespace {

struct Log {
    std::string calls;
    Window* toDelete = nullptr;
    Log* adopted = nullptr;
};

void first(Log* log, Window*, UINT_PTR) { log->calls += "1"; }
void second(Log* log, Window*, UINT_PTR) { log->calls += "2"; }
void third(Log* log, Window*, UINT_PTR) { log->calls += "3"; }

void removeOwnOwner(Log* log, Window* w, UINT_PTR)
{
    log->calls += "R";
    w->removeListeners(log);
    if (log->adopted != nullptr)
        w->addTimerListener(log->adopted, third);
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

TEST(ListenerWalk, NewestRunsFirstAndAListenerRemovingOrAddingDuringTheWalkLetsTheOthersRun)
{
    Log log;
    Log other;
    log.adopted = &other;
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
    EXPECT_EQ("321", other.calls) << "a listener added during a walk runs from the next one";
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

TEST(MessageHooks, AllRunAHandledResultSkipsTheProcedureAndAHookMayRemoveItselfOrDeleteItsWindow)
{
    Log log;
    Log leaving;
    Window* w = topLevel();
    HWND handle = w->handle();
    w->addMessageHook(&log, hookA);
    w->addMessageHook(&leaving, hookRemovingItself);
    w->addMessageHook(&log, hookB);
    EXPECT_EQ(77, SendMessageA(handle, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_EQ(77, SendMessageA(handle, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_EQ("BABA", log.calls);
    EXPECT_EQ("S", leaving.calls);
    w->removeMessageHooks(&log);
    EXPECT_EQ(3, SendMessageA(handle, WM_GETTEXTLENGTH, 0, 0)) << "\"top\" from the default procedure";

    // The older hook is still due when the newer one deletes the window.
    w->addMessageHook(&log, hookB);
    w->addMessageHook(&leaving, hookDeletingItsWindow);
    EXPECT_EQ(0, SendMessageA(handle, WM_USER, 0, 0));
    EXPECT_EQ("SX", leaving.calls);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(0, liveComponentWindows());
}
