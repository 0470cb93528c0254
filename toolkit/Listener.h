// Event listeners: an owner object and a plain function, linked newest first.
#pragma once

// The common type under which listener functions of any signature are compared.
using ListenerFunction = void (*)();

// The three operations every listener offers, in this order, then the link.
// The destructor comes last so that the three keep their places.
template <typename... Args>
class Listener {
public:
    Listener() : next(nullptr), removed(0) {}
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    virtual void invoke(Args... args) = 0;
    virtual int matchesOwner(const void* owner) const = 0;
    virtual int matches(const void* owner, ListenerFunction function) const = 0;
    virtual ~Listener() = default;

    Listener* next;
    // Set when the listener is taken out while its list is being walked; the
    // list frees it once no walk is running.
    int removed;
};

// The listener the program creates: invoke calls function(owner, event arguments).
template <typename Owner, typename... Args>
class FunctionListener : public Listener<Args...> {
public:
    using Function = void (*)(Owner*, Args...);

    FunctionListener(Owner* owner, Function function) : owner(owner), function(function) {}

    void invoke(Args... args) override
    {
        function(owner, args...);
    }

    int matchesOwner(const void* other) const override
    {
        return static_cast<const void*>(owner) == other;
    }

    int matches(const void* other, ListenerFunction otherFunction) const override
    {
        return matchesOwner(other) && reinterpret_cast<ListenerFunction>(function) == otherFunction;
    }

private:
    Owner* owner;
    Function function;
};
