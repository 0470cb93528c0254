// Tells code on the stack whether the component it works for was deleted meanwhile.
#pragma once

class Component;

// Lives on the stack while a message or an event is handled. The component's
// destructor clears every guard of its chain, so that after a call that may
// have deleted the component the caller can check alive() and stop touching it.
class LifeGuard {
public:
    explicit LifeGuard(Component& component);
    ~LifeGuard();
    LifeGuard(const LifeGuard&) = delete;
    LifeGuard& operator=(const LifeGuard&) = delete;

    bool alive() const { return chain != nullptr; }

    // Called by the component's destructor with its chain head.
    static void endAll(LifeGuard*& chain);

private:
    LifeGuard** chain;
    LifeGuard* outer;
};
