#include "ui/t_maps_form.h"

#include <QPushButton>
#include <QToolButton>

#include "session/session_settings.h"
#include "ui/accessible_names.h"
#include "ui/editor_dialogs.h"
#include "ui/list_binding.h"
#include "ui/qt_text.h"
#include "ui_t_maps_form.h"

namespace wyn {

namespace {

constexpr QSize kDesignedSize(340, 300);

}  // namespace

TMapsForm::TMapsForm(MapCycleEditor& editor, UiPrompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TMapsForm>()),
      m_editor(editor),
      m_prompts(prompts) {
    ui->setupUi(this);
    m_current = new ListBinding(ui->CurrentListBox, false, [this](Selection row) {
        forward([&] { m_editor.selectCurrent(row); });
    });
    m_available = new ListBinding(ui->AvailableListBox, false, [this](Selection row) {
        forward([&] { m_editor.selectAvailable(row); });
    });
    const auto onClick = [this](QAbstractButton* button, auto call) {
        connect(button, &QAbstractButton::clicked, this, [this, call] { forward(call); });
    };
    onClick(ui->AddButton, [this] { m_editor.add(); });
    onClick(ui->RemoveButton, [this] { m_editor.remove(); });
    onClick(ui->OKButton, [this] {
        m_closing = Accepted;
        try {
            m_editor.ok();
        } catch (...) {
            m_closing = Rejected;  // still open: a later close is a Cancel
            throw;
        }
    });
    onClick(ui->CancelButton, [this] { m_editor.cancel(); });
    m_connection = m_editor.onChange([this](const MapCycleChange& change) { redraw(change); });
    nameControlsByTheirLabels(this);
    fixSizeAndCentre(*this, kDesignedSize);
    m_current->redrawAll(m_editor.current());
    m_available->redrawAll(m_editor.available());
}

TMapsForm::~TMapsForm() = default;

void TMapsForm::reject() {
    m_editor.cancel();  // its notice closes the dialog
    if (isVisible()) {
        QDialog::reject();
    }
}

void TMapsForm::redraw(const MapCycleChange& change) {
    m_current->redraw(m_editor.current(), change.current);
    m_available->redraw(m_editor.available(), change.available);
    if (change.closed && m_editor.isClosed()) {
        done(m_closing);
    }
}

void runMapCycleEditor(QWidget* parent, const SessionSettings& session, UiPrompts& prompts) {
    MapCycleEditor editor(session.gameDirectory(), session.profile(), prompts);
    bool opened = false;
    guarded(prompts, [&] {
        editor.open();
        opened = true;
    });
    if (opened) {
        TMapsForm form(editor, prompts, parent);
        form.exec();
    }
}

}  // namespace wyn
