#pragma once
// Text from files, made safe to print: a malformed file must not be able to send control
// sequences to the terminal through our error messages.
#include <string>
#include <string_view>

// Printable ASCII as it is; every other byte as \xNN.
std::string PrintableText(std::string_view text);
