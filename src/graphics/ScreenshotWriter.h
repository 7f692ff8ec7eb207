// The screenshots a run asks for by frame number: each written as PNG from the back buffer just
// before that frame is presented.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace Graphics {

class Device;

class ScreenshotWriter {
public:
    // The back buffer of frame `frame` (counting from 1) goes to the PNG file; a run may ask for several.
    void Add(int frame, const std::string& file);
    // Counts one more presented frame and writes every screenshot asked of it.
    void WriteFrame(const Device& device);

private:
    static void Write(const Device& device, const std::string& file);

    int presented = 0;
    std::vector<std::pair<int, std::string>> screenshots;  // frame, PNG file
};

}  // namespace Graphics
