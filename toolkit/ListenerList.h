// A singly linked list of listeners, newest first, that survives listeners and holders going away mid-walk.
#pragma once

#include "toolkit/LifeGuard.h"
#include "toolkit/ListLock.h"
#include "toolkit/Listener.h"

template <typename... Args>
class ListenerList {
public:
    using Item = Listener<Args...>;

    ListenerList() : head(nullptr) {}
    ~ListenerList() { clear(); }
    ListenerList(const ListenerList&) = delete;
    ListenerList& operator=(const ListenerList&) = delete;

    // Takes ownership; the new listener runs first.
    void add(Item* listener)
    {
        listener->next = head;
        head = listener;
    }

    template <typename Owner>
    void add(Owner* owner, void (*function)(Owner*, Args...))
    {
        add(new FunctionListener<Owner, Args...>(owner, function));
    }

    // Takes out every listener of that owner. During a walk they are only
    // marked, so the walk never follows a freed link.
    void removeOwner(const void* owner, const ListLock& lock)
    {
        for (Item* p = head; p; p = p->next) {
            if (p->matchesOwner(owner))
                p->removed = 1;
        }
        if (!lock.busy())
            sweep();
    }

    void remove(const void* owner, ListenerFunction function, const ListLock& lock)
    {
        for (Item* p = head; p; p = p->next) {
            if (p->matches(owner, function))
                p->removed = 1;
        }
        if (!lock.busy())
            sweep();
    }

    // Takes out only the newest listener of that owner and function; false
    // when none is left to take out.
    bool removeFirst(const void* owner, ListenerFunction function, const ListLock& lock)
    {
        for (Item* p = head; p; p = p->next) {
            if (!p->removed && p->matches(owner, function)) {
                p->removed = 1;
                if (!lock.busy())
                    sweep();
                return true;
            }
        }
        return false;
    }

    // Calls every listener from the head. Returns false when a listener deleted
    // the list's holder: the list is gone and the caller must not touch it.
    bool invoke(ListLock& lock, const LifeGuard& life, Args... args)
    {
        {
            // Released even when a listener throws, unless the holder went with the list.
            ScopedWalk walk(lock, life);
            for (Item* p = head; p;) {
                if (!p->removed)
                    p->invoke(args...);
                if (!life.alive())
                    return false;
                p = p->next;
            }
        }
        if (!lock.busy())
            sweep();
        return true;
    }

    // For a list walked on a thread of the holder's own, which the holder waits
    // for before it goes: no component life guard is involved, since guards
    // belong to the window's thread. The caller keeps adds and removals apart
    // from the walk.
    void invokeFromWorker(ListLock& lock, Args... args)
    {
        struct Walk {
            ListLock& lock;
            ~Walk() { lock.release(); }
        };
        {
            lock.acquire();
            Walk walk{lock};
            for (Item* p = head; p; p = p->next) {
                if (!p->removed)
                    p->invoke(args...);
            }
        }
        if (!lock.busy())
            sweep();
    }

    int count() const
    {
        int n = 0;
        for (const Item* p = head; p; p = p->next)
            n += p->removed ? 0 : 1;
        return n;
    }

    void clear()
    {
        while (head) {
            Item* p = head;
            head = p->next;
            delete p;
        }
    }

private:
    class ScopedWalk {
    public:
        ScopedWalk(ListLock& lock, const LifeGuard& life) : lock(lock), life(life) { lock.acquire(); }
        ~ScopedWalk()
        {
            if (life.alive())
                lock.release();
        }
        ScopedWalk(const ScopedWalk&) = delete;
        ScopedWalk& operator=(const ScopedWalk&) = delete;

    private:
        ListLock& lock;
        const LifeGuard& life;
    };

    void sweep()
    {
        Item** link = &head;
        while (*link) {
            Item* p = *link;
            if (p->removed) {
                *link = p->next;
                delete p;
            } else {
                link = &p->next;
            }
        }
    }

    Item* head;
};
