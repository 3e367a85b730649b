#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace wyn {

// Keeps an observer connected while it lives; destroying it (or disconnect())
// ends the connection. Safe to outlive the object it is connected to.
class Connection {
public:
    Connection() = default;
    explicit Connection(std::function<void()> disconnect) : m_disconnect(std::move(disconnect)) {}
    Connection(Connection&& other) noexcept : m_disconnect(std::exchange(other.m_disconnect, {})) {}
    Connection& operator=(Connection&& other) noexcept {
        if (this != &other) {
            disconnect();
            m_disconnect = std::exchange(other.m_disconnect, {});
        }
        return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { disconnect(); }

    void disconnect() {
        if (m_disconnect) {
            std::exchange(m_disconnect, {})();
        }
    }

private:
    std::function<void()> m_disconnect;
};

// Tells any number of observers what changed.
template <typename Change>
class Notifier {
public:
    using Observer = std::function<void(const Change&)>;

    [[nodiscard]] Connection connect(Observer observer) {
        const auto id = m_state->next++;
        m_state->observers.emplace(id, std::move(observer));
        std::weak_ptr<State> state = m_state;
        return Connection([state, id] {
            if (const auto alive = state.lock()) {
                alive->observers.erase(id);
            }
        });
    }

    void notify(const Change& change) const {
        // An observer may connect or disconnect others while it is told.
        const auto observers = m_state->observers;
        for (const auto& [id, observer] : observers) {
            if (m_state->observers.count(id) != 0) {
                observer(change);
            }
        }
    }

private:
    struct State {
        std::uint64_t next = 0;
        std::map<std::uint64_t, Observer> observers;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

// One object's changes as its observers hear of them: a change may call
// further changes, and only the outermost one tells the observers, once, what
// differs from the snapshot taken when it began. A change that throws still
// tells what it did before the failure; the observers hear it from the
// failing call, never from a destructor while the exception unwinds.
template <typename Change, typename Snapshot>
class ChangeTracker {
public:
    ChangeTracker(std::function<Snapshot()> take,
                  std::function<Change(const Snapshot& before)> compare)
        : m_take(std::move(take)), m_compare(std::move(compare)) {}

    [[nodiscard]] Connection connect(typename Notifier<Change>::Observer observer) {
        return m_notifier.connect(std::move(observer));
    }

    template <typename Body>
    void run(Body&& body) {
        const bool outermost = m_depth == 0;
        if (outermost) {
            m_before.emplace(m_take());
        }
        ++m_depth;
        try {
            body();
        } catch (...) {
            end(outermost);
            throw;
        }
        end(outermost);
    }

    bool changing() const { return m_depth > 0; }

private:
    void end(bool outermost) {
        --m_depth;
        if (!outermost) {
            return;
        }
        const Snapshot before = std::move(*m_before);
        m_before.reset();
        const Change change = m_compare(before);
        if (change.any()) {
            m_notifier.notify(change);
        }
    }

    std::function<Snapshot()> m_take;
    std::function<Change(const Snapshot&)> m_compare;
    Notifier<Change> m_notifier;
    std::optional<Snapshot> m_before;
    int m_depth = 0;
};

}  // namespace wyn
