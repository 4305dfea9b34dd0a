// A labelled grid image: sections one below the other, each a title, an
// optional note, column headings and rows of pictures with their labels, the
// text drawn with GDI into one 32-bit image.
#pragma once

#include "win/olehost/pixels.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tovabel::demo {

struct GridRow {
    std::wstring label;
    // One picture per column; an empty one marks a cell that does not apply.
    std::vector<olehost::Pixels> cells;
};

struct GridSection {
    std::wstring title;
    std::wstring note;
    std::vector<std::wstring> columns;
    std::vector<GridRow> rows;
};

// The sections under `title`, each picture centred in its cell, on `background`.
olehost::Pixels ComposeGrid(const std::wstring& title, const std::vector<GridSection>& sections,
                            COLORREF background);

} // namespace tovabel::demo
