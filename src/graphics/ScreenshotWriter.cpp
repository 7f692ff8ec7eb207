// Writing the back buffer of the frames a run asked for as PNG files.
#include "graphics/ScreenshotWriter.h"

#include <stb/stb_image_write.h>

#include <cstdint>

#include "engine/ProblemReport.h"
#include "graphics/gl/Device.h"

namespace Graphics {

void ScreenshotWriter::Add(int frame, const std::string& file) {
    screenshots.emplace_back(frame, file);
}

void ScreenshotWriter::WriteFrame(const Device& device) {
    ++presented;
    for (const auto& [frame, file] : screenshots) {
        if (frame == presented) {
            Write(device, file);
        }
    }
}

void ScreenshotWriter::Write(const Device& device, const std::string& file) {
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
    if (!device.ReadBackBuffer(pixels, width, height)) {
        ZELM_PROBLEM("Graphics::ScreenshotWriter::Write", "No picture to write to \"%s\": %s", file.c_str(),
                     device.GetError().c_str());
        return;
    }
    // The back buffer's alpha is whatever the passes left; a screenshot is opaque.
    for (std::size_t i = 3; i < pixels.size(); i += 4) {
        pixels[i] = 255;
    }
    if (stbi_write_png(file.c_str(), width, height, 4, pixels.data(), width * 4) == 0) {
        ZELM_PROBLEM("Graphics::ScreenshotWriter::Write", "Could not write the screenshot \"%s\"",
                     file.c_str());
    }
}

}  // namespace Graphics
