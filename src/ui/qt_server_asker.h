#pragma once

#include <QObject>

#include "base/prompts.h"
#include "servers/server_asker.h"
#include "ui/thread_post.h"

namespace wyn {

// The window's way to ask servers: each query runs on a thread of its own
// (ServerQuery), which parses the replies there; its answer and each wait's
// end come back through the event loop of the thread that made this object.
// A call that fails is shown by the general error display. Nothing arrives
// once its Connection ended or this object is gone.
class QtServerAsker : public ServerAsker {
public:
    explicit QtServerAsker(FailurePrompt& prompts) : m_prompts(prompts) {}

    // Throws WynError when no thread can be started for the query.
    Connection ask(std::vector<ServerAddress> servers, bool localNetwork,
                   std::chrono::milliseconds timeout, Answered answered) override;
    Connection wait(std::chrono::milliseconds delay, std::function<void()> then) override;

private:
    FailurePrompt& m_prompts;
    QObject m_context;
    ThreadPost m_post{&m_context};
};

}  // namespace wyn
