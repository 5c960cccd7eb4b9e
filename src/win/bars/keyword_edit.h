// The keyword bar's search box: a real edit control, so an input method
// composes into it as anywhere else, read and written as code page 932 text
// with positions counted in characters.
#pragma once

#include <functional>

#include "controls/std_control.h"
#include "search/keyword_search.h"

class TKeywordEdit : public TStdControl {
public:
    bool Create(HWND parent, int left, int top, int width, int height);

    // The text, the caret and the selection as the search reads them.
    TKeywordBox Read() const;
    // Writes the box back without starting another search.
    void Apply(const TKeywordBox& box);
    bool Updating() const { return FUpdating; }

    // The user changed the text (not the bar itself).
    std::function<void()> OnChange;
    // A key before the box sees it; true takes it.
    std::function<bool(WORD key)> OnKey;
    // The box received the keyboard focus.
    std::function<void()> OnEnter;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool FUpdating = false;
};
