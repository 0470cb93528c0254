#include "toolkit/LifeGuard.h"

#include "toolkit/Component.h"

LifeGuard::LifeGuard(Component& component) : chain(&component.lifeGuards), outer(component.lifeGuards)
{
    component.lifeGuards = this;
}

LifeGuard::~LifeGuard()
{
    if (!chain)
        return;
    // Guards live on the stack, so this one is normally the head; walking
    // keeps the chain right even if they were ever released out of order.
    for (LifeGuard** link = chain; *link; link = &(*link)->outer) {
        if (*link == this) {
            *link = outer;
            return;
        }
    }
}

void LifeGuard::endAll(LifeGuard*& chain)
{
    while (chain) {
        LifeGuard* guard = chain;
        chain = guard->outer;
        guard->chain = nullptr;
        guard->outer = nullptr;
    }
}
