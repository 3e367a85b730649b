#include "ui/t_dev_form.h"

#include <QDateTime>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLocale>
#include <QPushButton>

#include "base/platform_profile.h"
#include "news/dev_news.h"
#include "platform/own_places.h"
#include "platform/qt_text.h"
#include "ui/accessible_names.h"
#include "ui/pictures.h"
#include "ui/window_prompts.h"
#include "ui_t_dev_form.h"

namespace wyn {

namespace {

// A condensed display face where the system has one; otherwise the window's
// own family, condensed as far as it can be.
QFont titleFont(QFont font) {
    for (const char* family : {"DejaVu Sans Condensed", "Arial Narrow", "Liberation Sans Narrow"}) {
        if (QFontDatabase::hasFamily(family)) {
            font.setFamilies({family});
            break;
        }
    }
    font.setStretch(QFont::Condensed);
    font.setBold(true);
    font.setPixelSize(24);
    return font;
}

QDate dateOf(const LocalDateTime& t) {
    return QDate(t.year, t.month, t.day);
}

}  // namespace

TDevForm::TDevForm(DevNews& news, UiPrompts& prompts, QWidget* parent)
    : EditorDialog(
          prompts, [] {}, parent,
          Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TDevForm>()),
      m_news(news) {
    ui->setupUi(this);
    ui->WYNLabel->setFont(titleFont(ui->WYNLabel->font()));
    ui->UpdateButton->setIcon(pictureIcon(Picture::Update));
    ui->TerminalMemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ui->TerminalMemo->viewport()->setCursor(Qt::ArrowCursor);
    ui->QueryStatusLabel->hide();
    nameControlsByTheirLabels(this);

    command(ui->UpdateButton, [this] { checkForUpdate(); });
    // A cache that cannot be written keeps the window open with its news.
    command(ui->CloseButton, [this] {
        if (m_news.close()) {
            accept();
        }
    });
    m_connection = m_news.onChange([this](const DevNewsChange& change) { redraw(change); });
    forward([this] { m_news.open(); });
    redraw({true, true, true});
}

TDevForm::~TDevForm() {
    showBusy(false);
}

// The query runs without holding up the window: its end comes back through
// the window's event loop, and is dropped once the window is gone.
void TDevForm::checkForUpdate() {
    m_news.startUpdate([post = m_post.post(), this](std::function<void()> finish) {
        post([this, finish = std::move(finish)] { forward(finish); });
    });
}

// A window closed during a query no longer shows it as busy.
void TDevForm::hideEvent(QHideEvent* event) {
    showBusy(false);
    EditorDialog::hideEvent(event);
}

void TDevForm::showBusy(bool busy) {
    if (busy != m_busyCursor) {
        if (busy) {
            QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        } else {
            QGuiApplication::restoreOverrideCursor();
        }
        m_busyCursor = busy;
    }
}

void TDevForm::redraw(const DevNewsChange& change) {
    if (change.caption) {
        ui->LastUpdateLabel->setText(toQt(m_news.lastUpdateCaption()));
    }
    if (change.news) {
        ui->TerminalMemo->setPlainText(toQt(m_news.newsLines()).join('\n'));
    }
    if (change.querying) {
        ui->CloseButton->setEnabled(m_news.closeEnabled());
        ui->UpdateButton->setEnabled(m_news.updateEnabled());
        ui->TerminalMemo->setEnabled(m_news.newsEnabled());
        ui->QueryStatusLabel->setVisible(m_news.querying());
        showBusy(m_news.querying() && isVisible());
        // Disabling the focused button took the focus away; the keyboard gets it back.
        if (!m_news.querying() && (focusWidget() == nullptr || !focusWidget()->isEnabled())) {
            ui->UpdateButton->setFocus();
        }
    }
}

DateTimeFormat systemDateTimeFormat() {
    const QLocale locale = QLocale::system();
    const QString date = locale.dateFormat(QLocale::ShortFormat);
    const QString time = locale.timeFormat(QLocale::LongFormat);
    return {
        [locale, date](const LocalDateTime& t) { return fromQt(locale.toString(dateOf(t), date)); },
        // With its date, so a time zone in the format is the one of that day.
        [locale, time](const LocalDateTime& t) {
            const QTime clock(t.hour, t.minute, t.second, t.millisecond);
            return fromQt(locale.toString(QDateTime(dateOf(t), clock), time));
        }};
}

void runDevNews(QWidget* parent, ValueStore& store, UiPrompts& prompts) {
    DevNews news(store, PlatformProfile::native(), newsCacheFolder(kNewsCacheFile),
                 systemDateTimeFormat());
    TDevForm form(news, prompts, parent);
    form.exec();
}

}  // namespace wyn
