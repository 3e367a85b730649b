#include "ui/thread_post.h"

#include <QMetaObject>
#include <mutex>

namespace wyn {

// The receiver is forgotten under the lock before it is destroyed, and a post
// queues its call under the same lock: no post reaches a receiver that is gone,
// and Qt drops the calls still queued for one when it goes.
struct ThreadPost::Target {
    std::mutex mutex;
    QObject* receiver = nullptr;
};

ThreadPost::ThreadPost(QObject* receiver) : m_target(std::make_shared<Target>()) {
    m_target->receiver = receiver;
}

ThreadPost::~ThreadPost() {
    const std::lock_guard lock(m_target->mutex);
    m_target->receiver = nullptr;
}

ThreadPost::Post ThreadPost::post() const {
    return [target = m_target](Call call) {
        const std::lock_guard lock(target->mutex);
        if (target->receiver != nullptr) {
            QMetaObject::invokeMethod(target->receiver, std::move(call), Qt::QueuedConnection);
        }
    };
}

}  // namespace wyn
