// Small files that the asset tests write: BMP pictures, models, universe files, each in a
// private temporary folder.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Rgb = std::array<uint8_t, 3>;

// A BMP picture; pixel(x, y) gives the colour with y = 0 the bottom row. Rows carry the
// format's padding to four bytes.
std::vector<uint8_t> makeBmp(int32_t width, int32_t height,
                             const std::function<Rgb(int, int)>& pixel, uint16_t bitsPerPixel = 24);

// A fresh folder under the system's temporary folder, removed with its files at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&)            = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    std::string write(const std::string& name, const std::string& text) const;
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    const std::string& dir() const { return dir_; }

  private:
    std::string dir_;
};

// Runs in dir for as long as it lives, then goes back.
class WorkingDir {
  public:
    explicit WorkingDir(const std::string& dir);
    ~WorkingDir();

  private:
    std::string previous_;
};

// A model file of the game's layout with one shared list each and the face sets given;
// each face set: texture file, colour line, optional transparency line, index lines.
struct TestFaceSet {
    std::string textureFile;
    std::string diffuse = "0.8 0.2 0.2";
    std::string transparency; // empty: no transparency line
    std::vector<std::string> triangles = {"0, 1, 2, -1,"};
};
std::string makeModelText(const std::vector<std::string>& points,
                          const std::vector<TestFaceSet>& faceSets, bool counterClockwise = true);
