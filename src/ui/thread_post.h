#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace wyn {

// Hands calls from worker threads to the event loop of the thread that owns a
// receiver (a window). A call posted once the receiver is gone, or still queued
// when it goes, is dropped, so a worker may outlive the window it works for.
class ThreadPost {
public:
    using Call = std::function<void()>;
    using Post = std::function<void(Call)>;

    explicit ThreadPost(QObject* receiver);
    ~ThreadPost();  // from here on, calls are dropped
    ThreadPost(const ThreadPost&) = delete;
    ThreadPost& operator=(const ThreadPost&) = delete;

    // What a worker posts its calls with, from any thread, for as long as it likes.
    Post post() const;

private:
    struct Target;
    std::shared_ptr<Target> m_target;
};

}  // namespace wyn
