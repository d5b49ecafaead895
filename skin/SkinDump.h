#pragma once
// A readable listing of what a skin store holds: the container version, every picture
// with its size and bit depth, the [FORMINFO] fields after the corrections, the skin
// colours and every control record and skin object with its fields in reading order.
#include <string>
#include <vector>

class TspSkinData;

std::vector<std::string> DumpSkinData(const TspSkinData& store);
