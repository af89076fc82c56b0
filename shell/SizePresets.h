#pragma once

#include "resources/resource.h"

#include <cstdint>

// Inner-area sizes of the "Size" submenu's commands.
struct PresetSize {
    unsigned command;
    int32_t width;
    int32_t height;
};

constexpr PresetSize kPresetSizes[] = {
    {ID_SIZE_320, 320, 240},   {ID_SIZE_640, 640, 480},    {ID_SIZE_800, 800, 600},
    {ID_SIZE_1024, 1024, 768}, {ID_SIZE_1280, 1280, 1024}, {ID_SIZE_1600, 1600, 1200},
};

// The preset of a command, or a zero size for any other command.
constexpr PresetSize PresetInnerSize(unsigned command)
{
    for (const PresetSize& preset : kPresetSizes)
        if (preset.command == command) return preset;
    return {command, 0, 0};
}
