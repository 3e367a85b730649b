#pragma once

#include <memory>

#include "base/notifier.h"
#include "news/news_text.h"
#include "ui/editor_dialogs.h"
#include "ui/thread_post.h"

namespace Ui {
class TDevForm;
}

namespace wyn {

class DevNews;
struct DevNewsChange;
class ValueStore;

// "WYN Developer News": the cached news and the time of the last update, and
// a button that fetches the news again. The query runs beside the window, which
// stays responsive meanwhile with its buttons and the news area disabled and
// its busy state shown. Only Close saves; Esc and the close box close at once,
// during a query too, whose late answer is then dropped.
class TDevForm : public EditorDialog {
    Q_OBJECT

public:
    // Opens the news (the stored caption and the cached lines).
    TDevForm(DevNews& news, UiPrompts& prompts, QWidget* parent = nullptr);
    ~TDevForm() override;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void checkForUpdate();
    void redraw(const DevNewsChange& change);
    void showBusy(bool busy);

    std::unique_ptr<Ui::TDevForm> ui;
    DevNews& m_news;
    bool m_busyCursor = false;
    Connection m_connection;
    ThreadPost m_post{this};
};

// The system's short date format and long time format.
DateTimeFormat systemDateTimeFormat();

// "WYN Developer News", modal, fresh at every opening.
void runDevNews(QWidget* parent, ValueStore& store, UiPrompts& prompts);

}  // namespace wyn
