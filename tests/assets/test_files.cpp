// Writers of the small files the asset tests read.
#include "tests/assets/test_files.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {
void putLe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}
void putLe16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at]     = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
} // namespace

std::vector<uint8_t> makeBmp(int32_t width, int32_t height,
                             const std::function<Rgb(int, int)>& pixel, uint16_t bitsPerPixel) {
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    std::vector<uint8_t> b(54 + stride * size_t(height), 0);
    b[0] = 'B';
    b[1] = 'M';
    putLe32(b, 2, uint32_t(b.size()));
    putLe32(b, 10, 54);
    putLe32(b, 14, 40);
    putLe32(b, 18, uint32_t(width));
    putLe32(b, 22, uint32_t(height));
    putLe16(b, 26, 1);
    putLe16(b, 28, bitsPerPixel);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            uint8_t* p  = &b[54 + size_t(y) * stride + size_t(x) * 3];
            p[0]        = c[2];
            p[1]        = c[1];
            p[2]        = c[0];
        }
    }
    return b;
}

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "voranis-assets-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& text) const {
    return write(name, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string TempDir::write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string p = path(name);
    FILE* f             = std::fopen(p.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + p);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return p;
}

WorkingDir::WorkingDir(const std::string& dir) {
    previous_ = std::filesystem::current_path().string();
    std::filesystem::current_path(dir);
}

WorkingDir::~WorkingDir() {
    std::filesystem::current_path(previous_);
}

std::string makeModelText(const std::vector<std::string>& points,
                          const std::vector<TestFaceSet>& faceSets, bool counterClockwise) {
    std::string t = "#VRML V1.0 ascii\n\nSeparator {\n  ShapeHints {\n";
    t += counterClockwise ? "    vertexOrdering COUNTERCLOCKWISE\n"
                          : "    vertexOrdering CLOCKWISE\n";
    t += "  }\n  Coordinate3 {\n    point [\n";
    for (const std::string& p : points)
        t += "      " + p + ",\n";
    t += "    ]\n  }\n  Normal {\n    vector [\n";
    for (size_t i = 0; i < points.size(); ++i)
        t += "      0 0 1,\n";
    t += "    ]\n  }\n  TextureCoordinate2 {\n    point [\n";
    for (size_t i = 0; i < points.size(); ++i)
        t += "      0.5 0.5,\n";
    t += "    ]\n  }\n";
    for (const TestFaceSet& s : faceSets) {
        t += "  Separator {\n    Material {\n      diffuseColor " + s.diffuse + "\n";
        if (!s.transparency.empty()) t += "      transparency " + s.transparency + "\n";
        t += "    }\n    Texture2 {\n      filename \"" + s.textureFile + "\"\n    }\n";
        t += "    IndexedFaceSet {\n      coordIndex [\n";
        for (const std::string& tri : s.triangles)
            t += "        " + tri + "\n";
        t += "      ]\n      normalIndex [\n";
        for (const std::string& tri : s.triangles)
            t += "        " + tri + "\n";
        t += "      ]\n      textureCoordIndex [\n";
        for (const std::string& tri : s.triangles)
            t += "        " + tri + "\n";
        t += "      ]\n    }\n  }\n";
    }
    return t + "}\n";
}
