// A screen of words laid out to fit the window: a title at the top, a line at the foot, and rows
// (headings, lines, gaps) in as many columns as they need between the two, in a type small enough
// for them all, on a panel of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "logic/ScreenText.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

struct PageRow {
    enum Kind { kLine, kHeading, kIndented, kGap };
    Kind kind;
    std::string text;
};

class PageLayout {
public:
    explicit PageLayout(ZELM::DynamicCaller& engine) : engine(engine) {}

    // Lays the page out for the current screen size, its top `top` pixels down a 600-pixel screen
    // (below a menu picture's name); showing it again lays it out anew.
    void Show(const std::string& title, const std::vector<PageRow>& rows, const std::string& foot,
              float top = kMargin);
    void Hide() { lines.clear(); }
    bool IsShown() const { return !lines.empty(); }
    // The words on the screen, a line each, title first and foot last.
    std::vector<std::string> GetLines() const;

    // In pixels of an 800 x 600 screen, scaled with it.
    static constexpr float kMargin = 24.0f;
    // The top of a page over the menus' picture, clear of the name at its top.
    static constexpr float kBelowTheName = 170.0f;
    static constexpr float kTitleScale = 3.0f;
    static constexpr float kFootScale = 1.5f;
    static constexpr float kRowScale = 1.6f;
    static constexpr float kSmallestRowScale = 1.0f;

private:
    struct Column {
        std::size_t first = 0;
        std::size_t end = 0;
        float width = 0.0f;
    };
    // The rows cut into columns of at most `perColumn`, none starting with a gap or ending with a
    // heading; their widths at the scale.
    std::vector<Column> Columns(const std::vector<PageRow>& rows, std::size_t perColumn, float scale) const;
    // As Columns, but as evenly filled as the same number of columns allows.
    std::vector<Column> BalancedColumns(const std::vector<PageRow>& rows, std::size_t perColumn, float scale) const;
    void AddLine(const std::string& text, float x, float y, float scale);

    ZELM::DynamicCaller& engine;
    std::vector<std::unique_ptr<ScreenText>> lines;
};

}  // namespace Logic
