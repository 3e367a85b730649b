#include "wizard/assistent.h"

#include <utility>

namespace wyn {

TAssistent::TAssistent(AssistentSetup setup, int page) : m_setup(std::move(setup)) {
    m_page = page >= 1 && page <= numPages() ? page : 1;
}

std::int32_t TAssistent::nextCode(int page) const {
    if (page >= 1 && page <= numPages()) {
        return m_setup.WayList[static_cast<std::size_t>(page) - 1];
    }
    return kWayFollowing;
}

bool TAssistent::isValidTarget(int page) const {
    return page == kFinishPage || (page >= 1 && page <= numPages());
}

AssistentButtonState TAssistent::button(AssistentButton button) const {
    const TButtonData* data = &m_setup.BtnCancel;
    bool enabled = true;
    if (button == AssistentButton::Back) {
        data = &m_setup.BtnBack;
        enabled = !m_history.empty();
    } else if (button == AssistentButton::Next) {
        // On the last page Next is the finish and shows its data.
        data = isLastPage() ? &m_setup.BtnFinish : &m_setup.BtnNext;
    }
    return {data->Text, data->Show, data->Show && data->Enabled && enabled,
            button == AssistentButton::Next};
}

std::vector<std::string> TAssistent::buttonTexts() const {
    return {m_setup.BtnBack.Text, m_setup.BtnNext.Text, m_setup.BtnFinish.Text,
            m_setup.BtnCancel.Text};
}

bool TAssistent::setPage(int page) {
    // A target outside the pages (a bad next code or handler answer) is
    // refused like any other change rather than shown as a page that is not.
    if (!isValidTarget(page)) {
        return false;
    }
    if (m_setup.OnCanPageChange && !m_setup.OnCanPageChange(m_page, page)) {
        return false;
    }
    if (!isValidTarget(page)) {
        return false;
    }
    if (page == kFinishPage) {
        m_result = DialogResult::Ok;
    } else {
        m_page = page;
    }
    return true;
}

void TAssistent::next() {
    const int from = m_page;
    int to = from + 1;
    if (const auto code = nextCode(from); code == kWayLast) {
        to = kFinishPage;
    } else if (code == kWayAsk) {
        if (m_setup.OnAskPageChange) {
            m_setup.OnAskPageChange(from, to);
        }
    } else if (code >= 1) {
        to = code;
    }
    // The history changes only with the page: a refused move, the finish and
    // a move that throws leave it as it was.
    if (setPage(to) && m_page != from) {
        m_history.push_back(from);
    }
}

void TAssistent::back() {
    if (!m_history.empty() && setPage(m_history.back())) {
        m_history.pop_back();
    }
}

void TAssistent::cancel() {
    if (!m_setup.OnCancelClick || m_setup.OnCancelClick(m_page)) {
        m_result = DialogResult::Cancel;
    }
}

}  // namespace wyn
