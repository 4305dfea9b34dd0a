// The gallery: buttons of every style in every look, the four caption
// directions and every pairing of picture and caption alignment, each hosted in
// our container, brought into its look by real mouse messages or properties,
// read back from its window and composed into one labelled PNG.
#pragma once

#include <string>

namespace tovabel::demo {

// Writes the gallery to `path`; false when it could not be written.
bool WriteGallery(const std::wstring& path);

} // namespace tovabel::demo
