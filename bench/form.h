// What a form of many buttons costs: created, each loaded from a saved
// stream of its own, and painted once; beside as many platform push buttons
// with the same sizes, texts and bitmaps. Each form is measured in a process
// of its own, so that no form reuses the memory another one gave back.
#pragma once

#include <optional>

namespace tovabel::bench {

enum class FormOf { kOurs, kPushButtons };

struct FormCost {
    double micros = 0;         // creating, loading and painting the whole form
    double bytesPerButton = 0; // private bytes
    double gdiPerButton = 0;   // GDI objects, counted as the leak checks count them
};

// Builds the form in this process and measures it; nothing when the control
// could not be created. With `listCalls`, also prints what our library asked
// of the platform per button, most frequent first.
std::optional<FormCost> MeasureForm(FormOf of, int buttons, bool listCalls);

} // namespace tovabel::bench
