#include "wizard/assistent.h"

#include <algorithm>
#include <utility>

namespace wyn {

// -- Positioned elements --------------------------------------------------------

void TAElement::SetNewPosition(int index) {
    const bool shown = index >= 0 && static_cast<std::size_t>(index) < ShowContainer.size() &&
                       ShowContainer[static_cast<std::size_t>(index)].Shown == 1;
    if (shown) {
        const auto& entry = ShowContainer[static_cast<std::size_t>(index)];
        Parent = index != 0 ? ParentInWizard : ParentInDialog;
        Left = entry.Left;
        Top = entry.Top;
        Align = AAlign;
        Enabled = true;
        Visible = true;
    } else {
        // Hidden also means disabled, so a jump radio button of another page
        // never decides where Next goes.
        Align = TAAlign::alNone;
        Visible = false;
        Enabled = false;
        Left = kOutOfSight;
    }
}

void TAElement::showAt(int index, std::int32_t left, std::int32_t top) {
    if (index < 0) {
        return;
    }
    if (ShowContainer.size() <= static_cast<std::size_t>(index)) {
        ShowContainer.resize(static_cast<std::size_t>(index) + 1);
    }
    ShowContainer[static_cast<std::size_t>(index)] = {left, top, 1};
}

// -- Buttons --------------------------------------------------------------------

const char* buttonName(AssistentButton button) {
    switch (button) {
        case AssistentButton::Change:
            return "ChangeButton";
        case AssistentButton::Help:
            return "HelpButton";
        case AssistentButton::Cancel:
            return "CancelButton";
        case AssistentButton::Back:
            return "BackButton";
        case AssistentButton::Next:
            return "NextButton";
        case AssistentButton::OK:
            return "OKButton";
    }
    return "";
}

std::string formatWizardCaption(const std::string& format, int page, int count) {
    const int values[] = {page, count};
    std::size_t used = 0;
    std::string caption;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == '%') {
                caption += '%';
                ++i;
                continue;
            }
            if (format[i + 1] == 'd' && used < std::size(values)) {
                caption += std::to_string(values[used++]);
                ++i;
                continue;
            }
        }
        caption += format[i];
    }
    return caption;
}

// -- The framework ---------------------------------------------------------------

TAssistent::TAssistent() {
    BtnHelp.Text = "&Help";
    BtnWizardOK.Text = "&OK";
    BtnFinish.Text = "&Finish";
    BtnDialogOK.Text = "&OK";
    BtnChangeWizard.Text = "&Wizard";
    BtnChangeDialog.Text = "&Dialog";
    BtnCancel.Text = "&Cancel";
    BtnNext.Text = "&Next >";
    BtnBack.Text = "< &Back";
}

std::int32_t TAssistent::nextCode(int page) const {
    if (page >= 1 && static_cast<std::size_t>(page) <= WayList.size()) {
        return WayList[static_cast<std::size_t>(page) - 1].NextCode;
    }
    return kWayFollowing;
}

int TAssistent::positionIndex(int page) const {
    if (page == 0) {
        return 0;
    }
    if (WayListEnabled && page >= 1 && static_cast<std::size_t>(page) <= WayList.size()) {
        return WayList[static_cast<std::size_t>(page) - 1].PositionIndex;
    }
    return page;
}

int TAssistent::followingPage() const {
    for (const auto* element : m_elements) {
        const auto* radio = dynamic_cast<const TAJumpRadioBtn*>(element);
        if (radio != nullptr && radio->Enabled && radio->Checked) {
            return radio->target(m_page);
        }
    }
    return m_page + 1;
}

bool TAssistent::isLastPage() const {
    if (m_page < 1) {
        return false;
    }
    return WayListEnabled ? nextCode(m_page) == kWayLast : m_page == NumPages;
}

bool TAssistent::isValidTarget(int page) const {
    return page == kFinishPage || (page >= 0 && page <= NumPages);
}

void TAssistent::Open(int page) {
    if (page < 0 || page > NumPages) {
        page = StartPage >= 0 && StartPage <= NumPages ? StartPage : 1;
    }
    m_history.clear();
    m_result = DialogResult::Open;
    m_rememberedPage = 0;
    m_loading = true;
    showPage(page, true);
    m_loading = false;
}

bool TAssistent::SetPage(int page) {
    // A target outside the pages (a bad next code or handler answer) is
    // refused like any other change rather than shown as a page that is not.
    if (!isValidTarget(page)) {
        return false;
    }
    if (!m_loading && OnCanPageChange && !OnCanPageChange(*this, m_page, page)) {
        return false;
    }
    if (!isValidTarget(page)) {
        return false;
    }
    if (page == kFinishPage) {
        m_result = DialogResult::Ok;
        return true;
    }
    showPage(page, page != m_page || page == 0);
    return true;
}

void TAssistent::showPage(int page, bool firePageChange) {
    m_page = page;
    const int index = positionIndex(page);
    updateCaption(index);
    for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it) {
        (*it)->SetNewPosition(index);
    }
    updateNavigationButtons();
    if (firePageChange && OnPageChange) {
        OnPageChange(*this, page);
    }
}

void TAssistent::updateCaption(int index) {
    if (!SetFormCaption) {
        return;
    }
    if (ShowPageNames) {
        const bool named = index >= 0 && static_cast<std::size_t>(index) < PageNames.size();
        Caption = named ? PageNames[static_cast<std::size_t>(index)] : std::string();
    } else if (index != 0) {
        Caption = formatWizardCaption(CaptionWizard, m_page, NumPages);
    } else {
        Caption = CaptionDialog;
    }
}

void TAssistent::updateNavigationButtons() {
    BtnBack.Enabled = UseHistory ? !m_history.empty() : m_page > 1;
    BtnNext.Enabled = WayListEnabled ? nextCode(m_page) != kWayLast : m_page != NumPages;
}

void TAssistent::Next() {
    const int from = m_page;
    if (from < 1) {
        return;  // the dialog view has no Next
    }
    int to = from + 1;
    if (!WayListEnabled) {
        to = from < NumPages ? followingPage() : kFinishPage;
    } else if (const auto code = nextCode(from); code == kWayLast) {
        to = kFinishPage;
    } else if (code == kWayAsk) {
        if (OnAskPageChange) {
            OnAskPageChange(*this, from, to);
        }
    } else if (code >= 1) {
        to = code;
    } else {
        to = followingPage();
    }
    const bool pushed = to != from && to != kFinishPage && UseHistory;
    if (pushed) {
        m_history.push_back(from);
    }
    if (!SetPage(to) && pushed) {
        m_history.pop_back();
    }
}

void TAssistent::Back() {
    if (m_page < 1) {
        return;  // the dialog view has no Back
    }
    if (!UseHistory) {
        if (m_page > 1) {
            SetPage(m_page - 1);
        }
        return;
    }
    if (m_history.empty()) {
        return;
    }
    const int previous = m_history.back();
    m_history.pop_back();
    if (!SetPage(previous)) {
        m_history.push_back(previous);
    }
}

void TAssistent::Cancel() {
    if (!OnCancelClick || OnCancelClick(*this, m_page)) {
        m_result = DialogResult::Cancel;
    }
}

void TAssistent::Help() {
    if (OnHelpClick) {
        OnHelpClick(*this, m_page);
    }
}

void TAssistent::Switch() {
    if (m_page >= 1) {
        m_rememberedPage = m_page;
        SetPage(0);
        return;
    }
    if (RememberPage && m_rememberedPage >= 1) {
        SetPage(m_rememberedPage);
        return;
    }
    // A refused switch leaves the history as it was.
    auto history = std::exchange(m_history, {});
    if (!SetPage(StartPage)) {
        m_history = std::move(history);
    }
}

// -- Button layout ----------------------------------------------------------------

namespace {

struct ButtonRole {
    AssistentButton button;
    const TButtonData* data;
};

}  // namespace

ButtonRow TAssistent::LayoutButtons(int clientWidth, int clientHeight) const {
    ButtonRow row;
    const int top = clientHeight - ButtonHeight - 3;
    for (auto& placed : row.buttons) {
        placed.Top = top;
        placed.Width = ButtonWidth;
        placed.Height = ButtonHeight;
    }
    const bool dialog = m_page == 0;
    const bool last = isLastPage();
    row.defaultButton =
        dialog || (last && BtnWizardOK.Show) ? AssistentButton::OK : AssistentButton::Next;
    if (Style != AssistentStyle::asWizard) {
        return row;  // the button-less and tabbed styles draw no row
    }

    auto roleFor = [&](int code) -> std::optional<ButtonRole> {
        switch (code) {
            case kBLChange:
                return ButtonRole{AssistentButton::Change,
                                  dialog ? &BtnChangeWizard : &BtnChangeDialog};
            case kBLHelp:
                return ButtonRole{AssistentButton::Help, &BtnHelp};
            case kBLCancel:
                return ButtonRole{AssistentButton::Cancel, &BtnCancel};
            case kBLBack:
                if (dialog) {
                    return std::nullopt;
                }
                return ButtonRole{AssistentButton::Back, &BtnBack};
            case kBLNext:
                if (dialog) {
                    return std::nullopt;
                }
                return ButtonRole{AssistentButton::Next,
                                  last && !BtnWizardOK.Show ? &BtnFinish : &BtnNext};
            case kBLOK:
                if (dialog) {
                    return ButtonRole{AssistentButton::OK, &BtnDialogOK};
                }
                return ButtonRole{AssistentButton::OK,
                                  last && BtnWizardOK.Show ? &BtnFinish : &BtnWizardOK};
            default:
                return std::nullopt;
        }
    };

    // Places one code at x and moves x on in the given direction.
    auto place = [&](int code, int& x, int direction) {
        if (code == kBLGap) {
            x += direction * 8;
            return;
        }
        const auto role = roleFor(code);
        if (!role || !role->data->Show) {
            return;
        }
        auto& placed = row.buttons[static_cast<std::size_t>(role->button)];
        placed.Visible = true;
        placed.Enabled = role->data->Enabled;
        placed.Text = role->data->Text;
        placed.Layout = role->data->Layout;
        placed.Glyph = ShowGlyph ? role->data->Glyph : std::string();
        placed.NumGlyphs = role->data->NumGlyphs;
        placed.Left = x;
        x += direction * (ButtonWidth + 4);
    };

    const auto& codes = dialog ? BLDialog : BLWizard;
    const auto divider = std::find(codes.begin(), codes.end(), kBLDivider);
    int x = 4;
    for (auto it = codes.begin(); it != divider; ++it) {
        place(*it, x, 1);
    }
    if (divider != codes.end()) {
        x = clientWidth - ButtonWidth - 4;
        for (auto it = codes.end(); it != divider + 1;) {
            --it;
            if (*it != kBLDivider) {
                place(*it, x, -1);
            }
        }
    }
    return row;
}

}  // namespace wyn
