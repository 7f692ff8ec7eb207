// Bytes as text and back, so a tile map's raw bytes can travel inside an XML document.
#pragma once

#include <cstddef>
#include <string>

namespace Sharing {

class Base64 {
public:
    static std::string Encode(const std::string& bytes);
    // The length of the text that Encode gives for this many bytes (with its padding).
    static std::size_t EncodedLength(std::size_t bytes) { return (bytes + 2) / 3 * 4; }
    // False when the text is not padded base64 (a length that is no multiple of four, a character
    // outside the alphabet, padding anywhere but at the end); `bytes` is then unspecified.
    static bool Decode(const std::string& text, std::string& bytes);
};

}  // namespace Sharing
