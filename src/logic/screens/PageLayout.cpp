// Fitting a page's rows into the window.
#include "logic/screens/PageLayout.h"

#include <algorithm>

#include "graphics/TextMeasure.h"

namespace Logic {
namespace {

using Graphics::TextMeasure;

// A row's height at the scale: a line and a half of space, so columns read as lists.
float RowHeight(float scale) {
    return TextMeasure::LineHeight(scale) * 1.15f;
}

float RowWidth(const PageRow& row, float scale) {
    const float indent = row.kind == PageRow::kIndented ? 2.0f * TextMeasure::GlyphSize(scale) : 0.0f;
    return indent + TextMeasure::Width(row.text, scale);
}

}  // namespace

std::vector<PageLayout::Column> PageLayout::Columns(const std::vector<PageRow>& rows, std::size_t perColumn,
                                                    float scale) const {
    std::vector<Column> columns;
    std::size_t at = 0;
    while (at < rows.size()) {
        while (at < rows.size() && rows[at].kind == PageRow::kGap) {
            ++at;  // a column never opens with a gap
        }
        if (at == rows.size()) {
            break;
        }
        Column column{at, std::min(at + perColumn, rows.size()), 0.0f};
        // A section stays whole where a gap in the column's second half allows, and a heading
        // always goes with the lines under it.
        if (column.end < rows.size() && rows[column.end].kind != PageRow::kGap) {
            for (std::size_t gap = column.end - 1; gap > column.first + perColumn / 2; --gap) {
                if (rows[gap].kind == PageRow::kGap) {
                    column.end = gap;
                    break;
                }
            }
        }
        if (column.end < rows.size() && column.end - column.first > 1 &&
            rows[column.end - 1].kind == PageRow::kHeading) {
            --column.end;
        }
        for (std::size_t i = column.first; i < column.end; ++i) {
            column.width = std::max(column.width, RowWidth(rows[i], scale));
        }
        columns.push_back(column);
        at = column.end;
    }
    return columns;
}

std::vector<PageLayout::Column> PageLayout::BalancedColumns(const std::vector<PageRow>& rows,
                                                            std::size_t perColumn, float scale) const {
    std::vector<Column> columns = Columns(rows, perColumn, scale);
    for (std::size_t even = (rows.size() + columns.size() - 1) / std::max<std::size_t>(columns.size(), 1);
         even < perColumn; ++even) {
        std::vector<Column> balanced = Columns(rows, even, scale);
        if (balanced.size() <= columns.size()) {
            return balanced;
        }
    }
    return columns;
}

void PageLayout::AddLine(const std::string& text, float x, float y, float scale) {
    lines.push_back(std::make_unique<ScreenText>(engine, static_cast<int>(x), static_cast<int>(y), 0, scale, text));
    Graphics::Text& line = *lines.back()->Get();
    line.panel = kPagePanel;
    line.keepsPlace = true;
    line.overDim = true;  // over a pause's dim: a page is read, not glimpsed
}

void PageLayout::Show(const std::string& title, const std::vector<PageRow>& rows, const std::string& foot,
                      float pageTop) {
    lines.clear();
    const float width = ScreenText::ScreenWidth(engine);
    const float height = ScreenText::ScreenHeight(engine);
    const float r = height / 600.0f;
    const float margin = kMargin * std::min(r, width / 800.0f);
    const float room = width - 2.0f * margin;

    const float titleScale = TextMeasure::FittingScale(title, kTitleScale * r, room, r);
    const float titleTop = pageTop * r;
    AddLine(title, static_cast<float>(TextMeasure::CentredLeft(width, title, titleScale)), titleTop, titleScale);
    const float footScale = TextMeasure::FittingScale(foot, kFootScale * r, room, r);
    const float footTop = height - margin - TextMeasure::GlyphSize(footScale) - TextMeasure::kDimDrop;

    const float top = titleTop + TextMeasure::LineHeight(titleScale) + 0.5f * margin;
    const float bottom = footTop - 0.5f * margin;
    // The largest type at which the columns fit side by side between the margins.
    const float gutter = 2.0f * margin;
    float scale = kRowScale * r;
    std::vector<Column> columns;
    for (;; scale *= 0.92f) {
        const std::size_t perColumn =
            std::max<std::size_t>(1, static_cast<std::size_t>((bottom - top) / RowHeight(scale)));
        columns = BalancedColumns(rows, perColumn, scale);
        float total = 0.0f;
        for (const Column& column : columns) {
            total += column.width;
        }
        total += gutter * static_cast<float>(columns.empty() ? 0 : columns.size() - 1);
        if (total <= room || scale <= kSmallestRowScale * r) {
            float x = std::max(margin, 0.5f * (width - total));
            for (const Column& column : columns) {
                float y = top;
                for (std::size_t i = column.first; i < column.end; ++i) {
                    const PageRow& row = rows[i];
                    if (row.kind != PageRow::kGap) {
                        const float indent = RowWidth(row, scale) - TextMeasure::Width(row.text, scale);
                        AddLine(row.text, x + indent, y, scale);
                    }
                    y += RowHeight(scale);
                }
                x += column.width + gutter;
            }
            break;
        }
    }
    if (!foot.empty()) {
        AddLine(foot, static_cast<float>(TextMeasure::CentredLeft(width, foot, footScale)), footTop, footScale);
    }
}

std::vector<std::string> PageLayout::GetLines() const {
    std::vector<std::string> words;
    for (const auto& line : lines) {
        words.push_back(line->Get()->text);
    }
    return words;
}

}  // namespace Logic
