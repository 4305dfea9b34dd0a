#include "grid.h"

#include "win/common/gdi.h"

#include <algorithm>
#include <cstdint>

namespace tovabel::demo {

using olehost::Pixels;

namespace {

constexpr int kPad = 8;
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(112, 112, 112);

// The label fonts and a DC to measure text with.
class Typeface {
public:
    Typeface()
        : mRegular(Make(FW_NORMAL)), mBold(Make(FW_BOLD)), mScreen(nullptr),
          mMeasure(mScreen.Get()) {}

    HFONT Font(bool bold) const { return bold ? mBold.Get() : mRegular.Get(); }
    SIZE Measure(const std::wstring& text, bool bold) const {
        const win::Selection font(mMeasure.Get(), Font(bold));
        SIZE size{0, 0};
        GetTextExtentPoint32W(mMeasure.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }
    int Width(const std::wstring& text, bool bold) const {
        return static_cast<int>(Measure(text, bold).cx);
    }
    int LineHeight() const { return static_cast<int>(Measure(L"Ag", true).cy) + 6; }

private:
    static win::GdiObject<HFONT> Make(int weight) {
        return win::GdiObject<HFONT>(CreateFontW(
            -12, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
    }

    win::GdiObject<HFONT> mRegular;
    win::GdiObject<HFONT> mBold;
    win::WindowDc mScreen;
    win::MemoryDc mMeasure;
};

// A 32-bit image with a DC for text and rules; pictures are copied into its pixels.
class Sheet {
public:
    Sheet(SIZE size, COLORREF background) : mSize(size), mDc(nullptr) {
        void* bits = nullptr;
        mBitmap = win::CreateBitmap32(size, &bits);
        mBits = static_cast<std::uint32_t*>(bits);
        mDc.SelectBitmap(mBitmap.Get());
        SetBkMode(mDc.Get(), TRANSPARENT);
        Fill({0, 0, size.cx, size.cy}, background);
    }

    void Fill(const RECT& area, COLORREF colour) {
        const win::Brush brush(CreateSolidBrush(colour));
        FillRect(mDc.Get(), &area, brush.Get());
    }
    void Write(int x, int y, const std::wstring& text, HFONT font, COLORREF colour) {
        const win::Selection selected(mDc.Get(), font);
        SetTextColor(mDc.Get(), colour);
        TextOutW(mDc.Get(), x, y, text.c_str(), static_cast<int>(text.size()));
    }
    void Paste(const Pixels& picture, int left, int top) {
        GdiFlush();
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const int sx = left + x;
                const int sy = top + y;
                if (mBits != nullptr && sx >= 0 && sy >= 0 && sx < mSize.cx && sy < mSize.cy) {
                    mBits[static_cast<std::size_t>(sy) * mSize.cx + sx] =
                        picture.data[static_cast<std::size_t>(y) * picture.width + x];
                }
            }
        }
    }
    Pixels Read() const { return olehost::ReadDc(mDc.Get(), 0, 0, mSize.cx, mSize.cy); }

private:
    SIZE mSize;
    std::uint32_t* mBits = nullptr;
    win::Bitmap mBitmap; // selected into mDc, which gives it back before it is deleted
    win::MemoryDc mDc;
};

// Where the parts of one section go.
struct SectionPlan {
    int labelWidth = 0;
    std::vector<int> columnWidths;
    std::vector<int> rowHeights;
    int width = 0;
    int height = 0;
};

SectionPlan Plan(const GridSection& section, const Typeface& type) {
    SectionPlan plan;
    plan.labelWidth = type.Width(section.title, true);
    for (const GridRow& row : section.rows) {
        plan.labelWidth = std::max(plan.labelWidth, type.Width(row.label, false));
    }
    plan.labelWidth += 2 * kPad;
    for (std::size_t c = 0; c < section.columns.size(); ++c) {
        int width = type.Width(section.columns[c], false);
        for (const GridRow& row : section.rows) {
            width = c < row.cells.size() ? std::max(width, row.cells[c].width) : width;
        }
        plan.columnWidths.push_back(width + 2 * kPad);
    }
    for (const GridRow& row : section.rows) {
        int height = type.LineHeight();
        for (const Pixels& cell : row.cells) {
            height = std::max(height, cell.height + kPad);
        }
        plan.rowHeights.push_back(height);
    }
    plan.width = plan.labelWidth;
    for (const int width : plan.columnWidths) {
        plan.width += width;
    }
    plan.width = std::max(plan.width, type.Width(section.note, false));
    plan.height = type.LineHeight() * (section.note.empty() ? 2 : 3) + kPad;
    for (const int height : plan.rowHeights) {
        plan.height += height;
    }
    return plan;
}

void DrawCell(Sheet& sheet, const Pixels& cell, const RECT& box, const Typeface& type) {
    if (cell.data.empty()) {
        const SIZE dash = type.Measure(L"-", false);
        sheet.Write((box.left + box.right - dash.cx) / 2, (box.top + box.bottom - dash.cy) / 2,
                    L"-", type.Font(false), kGrey);
        return;
    }
    sheet.Paste(cell, (box.left + box.right - cell.width) / 2,
                (box.top + box.bottom - cell.height) / 2);
}

void DrawSection(Sheet& sheet, const GridSection& section, const SectionPlan& plan, int left,
                 int top, const Typeface& type) {
    const int line = type.LineHeight();
    sheet.Write(left, top, section.title, type.Font(true), kInk);
    int y = top + line;
    if (!section.note.empty()) {
        sheet.Write(left, y, section.note, type.Font(false), kGrey);
        y += line;
    }
    int x = left + plan.labelWidth;
    for (std::size_t c = 0; c < section.columns.size(); ++c) {
        const SIZE text = type.Measure(section.columns[c], false);
        sheet.Write(x + (plan.columnWidths[c] - text.cx) / 2, y, section.columns[c],
                    type.Font(false), kInk);
        x += plan.columnWidths[c];
    }
    y += line;
    const COLORREF rule = RGB(200, 200, 200);
    for (std::size_t r = 0; r < section.rows.size(); ++r) {
        const GridRow& row = section.rows[r];
        const int height = plan.rowHeights[r];
        sheet.Fill({left, y, left + plan.width, y + 1}, rule);
        const SIZE label = type.Measure(row.label, false);
        sheet.Write(left, y + (height - label.cy) / 2, row.label, type.Font(false), kInk);
        x = left + plan.labelWidth;
        for (std::size_t c = 0; c < plan.columnWidths.size() && c < row.cells.size(); ++c) {
            DrawCell(sheet, row.cells[c], {x, y, x + plan.columnWidths[c], y + height}, type);
            x += plan.columnWidths[c];
        }
        y += height;
    }
    sheet.Fill({left, y, left + plan.width, y + 1}, rule);
}

} // namespace

Pixels ComposeGrid(const std::wstring& title, const std::vector<GridSection>& sections,
                   COLORREF background) {
    const Typeface type;
    std::vector<SectionPlan> plans;
    int width = type.Width(title, true);
    int height = type.LineHeight() + kPad;
    for (const GridSection& section : sections) {
        plans.push_back(Plan(section, type));
        width = std::max(width, plans.back().width);
        height += plans.back().height + kPad;
    }
    Sheet sheet({width + 2 * kPad, height + kPad}, background);
    sheet.Write(kPad, kPad, title, type.Font(true), kInk);
    int y = kPad + type.LineHeight() + kPad;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        DrawSection(sheet, sections[i], plans[i], kPad, y, type);
        y += plans[i].height + kPad;
    }
    return sheet.Read();
}

} // namespace tovabel::demo
