#include "fuzz/FuzzTargets.h"

void FuzzCheck(bool condition, const std::string& what) {
    if (!condition) throw TFuzzViolation(what);
}

const TFuzzTarget kFuzzTargets[] = {
    {"answer", &FuzzAnswer},     {"http", &FuzzHttp},
    {"proxy", &FuzzProxyAnswer}, {"bmp", &FuzzBmp},
    {"jpeg", &FuzzJpeg},         {"png", &FuzzPng},
    {"skin", &FuzzSkin},         {"skinini", &FuzzSkinIni},
    {"preset", &FuzzPreset},     {"credentials", &FuzzCredentials},
    {"numbers", &FuzzNumbers},   {"stringlist", &FuzzStringList},
};
const std::size_t kFuzzTargetCount = sizeof kFuzzTargets / sizeof kFuzzTargets[0];
