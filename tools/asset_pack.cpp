// Names every file and assembles the pack.
#include "tools/asset_pack.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "tools/arena_files.h"
#include "tools/models.h"
#include "tools/pictures.h"
#include "tools/sound_synth.h"
#include "tools/universe_file.h"

namespace {
AssetFile textFile(const std::string& name, const std::string& text) {
    return AssetFile{name, std::vector<uint8_t>(text.begin(), text.end())};
}

AssetFile model(const std::string& name, const Mesh& mesh) {
    return textFile(name, vrmlText(mesh));
}

AssetFile picture(const std::string& name, const Picture& p) {
    return AssetFile{name, encodeBmp(p)};
}

AssetFile sound(const std::string& name, const std::vector<int16_t>& samples) {
    return AssetFile{name, encodeWav(samples, SOUND_RATE)};
}
} // namespace

std::vector<AssetFile> makeAssetPack() {
    std::vector<AssetFile> pack;
    pack.push_back(model("ship.wrl", makeShipMesh()));
    pack.push_back(model("rocket.wrl", makeRocketMesh()));
    pack.push_back(model("explode.wrl", makeExplosionMesh()));
    pack.push_back(model("sky.wrl", makeSkyMesh()));
    for (int level = 0; level < 3; ++level)
        pack.push_back(
            model("stone" + std::to_string(level) + ".wrl", makePlanetMesh(PLANET_DETAIL[level])));
    pack.push_back(picture("hull.bmp", makeHullPicture()));
    pack.push_back(picture("fire.bmp", makeFirePicture()));
    for (int face = 0; face < SKY_FACES; ++face)
        pack.push_back(picture("sky" + std::to_string(face) + ".bmp", makeSkyPicture(face)));
    pack.push_back(picture("numbers.bmp", makeNumbersPicture()));
    pack.push_back(picture("text.bmp", makeCaptionsPicture()));
    pack.push_back(picture("cross.bmp", makeCrosshairPicture()));
    pack.push_back(picture("dead.bmp", makeDeadPicture()));
    pack.push_back(picture("font.bmp", makeFontPicture()));
    for (int kind = 0; kind < PLANET_KIND_COUNT; ++kind)
        pack.push_back(picture(std::string(PLANET_KINDS[kind]) + ".bmp", makePlanetPicture(kind)));
    pack.push_back(textFile("universe.uni", universeText()));
    for (AssetFile& arena : makeArenaFiles())
        pack.push_back(std::move(arena));
    pack.push_back(sound("shoot.wav", makeShotSound()));
    pack.push_back(sound("explode.wav", makeExplosionSound()));
    return pack;
}

bool writeAssetPack(const std::string& directory) {
    bool ok = true;
    for (const AssetFile& file : makeAssetPack()) {
        const std::filesystem::path path = directory + "/" + file.name;
        std::error_code error; // a folder that cannot be made shows as its files not written
        std::filesystem::create_directories(path.parent_path(), error);
        ok = writeFile(path.string(), file.bytes) && ok;
    }
    return ok;
}
