// The private state behind a class, held so that the class copies itself.
#pragma once

#include <memory>
#include <utility>

namespace velloran {

// A state of its own: a copy of the owner holds a copy of the state (none
// for none), a move takes it along and leaves none. The state's type need
// only be whole where the owner's copies, moves and destructor are defined.
template <class State>
class OwnState {
public:
    OwnState() = default;
    explicit OwnState(std::unique_ptr<State> state) noexcept : state_(std::move(state)) {}
    OwnState(const OwnState& other) : state_(other.state_ ? std::make_unique<State>(*other.state_) : nullptr) {}
    // A copy that fails part-way (out of memory) leaves this one as it was.
    OwnState& operator=(const OwnState& other) {
        if (this != &other) {
            OwnState copy(other);
            state_ = std::move(copy.state_);
        }
        return *this;
    }
    OwnState(OwnState&&) noexcept = default;
    OwnState& operator=(OwnState&&) noexcept = default;
    ~OwnState() = default;

    explicit operator bool() const noexcept { return state_ != nullptr; }
    State& operator*() const noexcept { return *state_; }
    State* operator->() const noexcept { return state_.get(); }

private:
    std::unique_ptr<State> state_;
};

}  // namespace velloran
