// A finished download as the host hands it back to the control: the property
// name the control gave when it asked for the data, and what arrived.
#pragma once

#include "control/types.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace tovabel {

// What a download delivers: a picture decoded from the data (a picture
// download), the file's bytes (a byte download), or nothing at all when the
// download failed; reading a value of the wrong kind is an error.
using DownloadedValue = std::variant<std::monostate, Picture, std::vector<std::uint8_t>>;

struct AsyncProperty {
    std::string PropertyName;
    DownloadedValue Value;
};

} // namespace tovabel
