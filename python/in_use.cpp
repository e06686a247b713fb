#include "in_use.hpp"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace velloran::python {

namespace {

class InUse {
public:
    // With the GIL held: wait until no call without the GIL uses any of these.
    // A waiting call holds back later calls on its objects, so a stream of
    // overlapping renderings cannot starve it.
    void waitFree(std::initializer_list<const void*> objects) {
        auto marked = [&] {
            return std::any_of(objects.begin(), objects.end(), [&](const void* o) { return marks_.count(o) != 0; });
        };
        if (marks_.empty() || !marked()) return;
        std::vector<const void*> counted(objects);
        count(waiting_, counted);
        struct Uncount {
            InUse& in;
            const std::vector<const void*>& objects;
            ~Uncount() {
                in.uncount(in.waiting_, objects);
                in.notify();
            }
        } uncount{*this, counted};
        while (marked()) wait();
    }

    // With the GIL held: mark the objects for one call without the GIL.
    // Which objects those are is asked again after every wait: while this
    // call waited, another thread may have changed an object field (a
    // document's Header) of an object it was not yet holding.
    template <class Objects>
    std::vector<const void*> acquire(Objects objectsNow) {
        for (;;) {
            std::vector<const void*> objects = objectsNow();
            if (std::none_of(objects.begin(), objects.end(),
                             [&](const void* o) { return marks_.count(o) != 0 || waiting_.count(o) != 0; })) {
                count(marks_, objects);
                return objects;
            }
            wait();
        }
    }

    void release(const std::vector<const void*>& objects) {
        uncount(marks_, objects);
        notify();
    }

private:
    using Counts = std::unordered_map<const void*, int>;

    // Count each object once more: all of them, or (out of memory part-way)
    // none.
    static void count(Counts& counts, const std::vector<const void*>& objects) {
        std::size_t done = 0;
        try {
            for (; done < objects.size(); ++done) ++counts[objects[done]];
        } catch (...) {
            uncount(counts, {objects.begin(), objects.begin() + static_cast<std::ptrdiff_t>(done)});
            throw;
        }
    }
    static void uncount(Counts& counts, const std::vector<const void*>& objects) noexcept {
        for (const void* o : objects) {
            auto at = counts.find(o);
            if (at != counts.end() && --at->second == 0) counts.erase(at);
        }
    }

    // The generation is read under the GIL and changed under the GIL and the
    // mutex, so a release between letting go of the GIL and waiting is seen.
    // The wait looks at the signals now and then: Ctrl-C interrupts it, and
    // the call raises KeyboardInterrupt having changed nothing.
    void wait() {
        const std::uint64_t seen = generation_;
        for (;;) {
            {
                py::gil_scoped_release released;
                std::unique_lock<std::mutex> lock(mutex_);
                if (changed_.wait_for(lock, std::chrono::milliseconds(50), [&] { return generation_ != seen; })) return;
            }
            if (PyErr_CheckSignals() != 0) throw py::error_already_set();
        }
    }

    void notify() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++generation_;
        }
        changed_.notify_all();
    }

    // Marks per object: one call may reach an object twice (a header that is
    // also the footer).
    Counts marks_;
    Counts waiting_;  // calls waiting for each object
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t generation_ = 0;
};

// Outlives every thread at exit. A child forked while other threads held
// marks (or the mutex) starts with a new one: those threads do not exist in
// it, and would hold their marks for ever.
InUse* inUseNow = new InUse;

InUse& inUse() { return *inUseNow; }

}  // namespace

void forgetMarksInChild() { inUseNow = new InUse; }

Hold::Hold(const std::function<std::vector<const void*>()>& objects)
    : objects_(inUse().acquire([&] {
          std::vector<const void*> now = objects();
          now.erase(std::remove(now.begin(), now.end(), nullptr), now.end());
          return now;
      })) {}

Hold::~Hold() { inUse().release(objects_); }

void waitFree(std::initializer_list<const void*> objects) { inUse().waitFree(objects); }

}  // namespace velloran::python
