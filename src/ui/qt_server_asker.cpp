#include "ui/qt_server_asker.h"

#include <QPointer>
#include <QTimer>
#include <memory>
#include <system_error>

#include "base/errors.h"
#include "platform/network/server_query.h"

namespace wyn {

Connection QtServerAsker::ask(std::vector<ServerAddress> servers, bool localNetwork,
                              std::chrono::milliseconds timeout, Answered answered) {
    // Read and written on this thread only: the answer is dropped on its way
    // when the connection ended after the query had handed it over.
    auto ended = std::make_shared<bool>(false);
    std::shared_ptr<ServerQuery> query;
    try {
        query = ServerQuery::start(
            {std::move(servers), localNetwork, timeout},
            [post = m_post.post(), ended, answered = std::move(answered),
             &prompts = m_prompts](QueryResult result) {
                post([ended, answered, &prompts, result = std::move(result)]() mutable {
                    if (!*ended) {
                        guarded(prompts, [&] {
                            answered({std::move(result.servers), std::move(result.problems)});
                        });
                    }
                });
            });
    } catch (const std::system_error& error) {
        throw WynError(std::string("Cannot ask the server: ") + error.what());
    }
    return Connection([ended, query] {
        *ended = true;
        query->cancel();
    });
}

Connection QtServerAsker::wait(std::chrono::milliseconds delay, std::function<void()> then) {
    auto* timer = new QTimer(&m_context);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, &m_context,
                     [timer, then = std::move(then), &prompts = m_prompts] {
                         timer->deleteLater();
                         guarded(prompts, then);
                     });
    timer->start(delay);
    return Connection([timer = QPointer<QTimer>(timer)] {
        if (timer) {
            timer->stop();
            timer->deleteLater();
        }
    });
}

}  // namespace wyn
