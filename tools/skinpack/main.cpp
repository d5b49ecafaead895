// skinpack build SKIN.ini OUT   — packs a skin folder into a compressed skin file
// skinpack dump FILE            — loads a compressed skin file into a store and lists it
// skinpack embed SKIN.ini OUT   — packs a skin folder into C++ source bytes (the stored
//                                 data the main window carries)
#include "rtl/CommandLine.h"
#include "rtl/Exceptions.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinDump.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const TCommandLineTool kTool{
    "skinpack",
    "usage: skinpack build SKIN.ini OUT\n"
    "       skinpack dump FILE\n"
    "       skinpack embed SKIN.ini OUT.inc\n"
    "       skinpack --help | --version\n"
    "\n"
    "Commands:\n"
    "  build SKIN.ini OUT      packs a skin folder (its description and pictures) into a\n"
    "                          compressed skin file\n"
    "  dump FILE               loads a compressed skin file into a store and lists it on stdout\n"
    "  embed SKIN.ini OUT.inc  packs a skin folder into C++ source bytes, the stored data the\n"
    "                          main window carries\n"
    "\n"
    "Options:\n"
    "  --help     prints this text\n"
    "  --version  prints the version\n"
    "\n"
    "Exit codes:\n"
    "  0  done\n"
    "  1  a file could not be read or written, or holds no skin\n"
    "  2  usage error: an unknown option or wrong arguments\n"};

int Usage() {
    std::fputs(kTool.Usage, stderr);
    return kTool.UsageExit;
}

// A required section missing leaves the data empty; say so instead of writing nothing.
void Build(TspCompressedStoredSkin& stored, const std::string& ini) {
    stored.BuildFromSkinFile(ini);
    if (stored.IsStoreEmpty())
        throw Exception(ini + " is not a skin description (a required section is missing)");
}

void Embed(const TspCompressedStoredSkin& stored, const std::string& out) {
    std::filesystem::path path(out);
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::string tmp = out + ".tmp";
    {
        std::ofstream file(tmp, std::ios::binary | std::ios::trunc);
        if (!file) throw Exception("Cannot create file \"" + tmp + "\"");
        const auto* bytes = static_cast<const unsigned char*>(stored.Data().Memory());
        auto size = static_cast<std::size_t>(stored.Data().Size());
        char buffer[8];
        for (std::size_t i = 0; i < size; ++i) {
            std::snprintf(buffer, sizeof buffer, "%u,", unsigned(bytes[i]));
            file << buffer << ((i % 24 == 23) ? "\n" : "");
        }
        file << "\n";
        if (!file) throw Exception("Cannot write file \"" + tmp + "\"");
    }
    std::filesystem::rename(tmp, out);
}

} // namespace

int main(int argc, char** argv) {
    if (auto stop = CheckCommandLine(kTool, argc, argv)) return *stop;
    if (argc < 2) return Usage();
    std::string command = argv[1];
    try {
        if (command == "build" && argc == 4) {
            TspCompressedStoredSkin stored(nullptr);
            Build(stored, argv[2]);
            stored.WriteCompressedSkinFile(argv[3]);
            return 0;
        }
        if (command == "embed" && argc == 4) {
            TspCompressedStoredSkin stored(nullptr);
            Build(stored, argv[2]);
            Embed(stored, argv[3]);
            return 0;
        }
        if (command == "dump" && argc == 3) {
            TspSkinData store(nullptr);
            store.ApplyCompressedSkinFile(argv[2]);
            if (store.SkinEmpty()) {
                std::fprintf(stderr, "skinpack: %s holds no skin\n", argv[2]);
                return 1;
            }
            for (const std::string& line : DumpSkinData(store)) std::printf("%s\n", line.c_str());
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinpack: %s\n", e.what());
        return 1;
    }
    return Usage();
}
