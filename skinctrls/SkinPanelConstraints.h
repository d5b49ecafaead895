#pragma once
// The size limits of a skinned panel: 0 means no limit. Rolling the panel up to its caption
// puts them aside (the caption is lower than any sensible minimum) and brings them back after.

struct TspPanelConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;

    bool Empty() const {
        return MinWidth <= 0 && MinHeight <= 0 && MaxWidth <= 0 && MaxHeight <= 0;
    }
    // Brings a size within the limits; a maximum below the minimum gives way to it.
    void Apply(int& width, int& height) const {
        if (MaxWidth > 0 && width > MaxWidth) width = MaxWidth;
        if (MaxHeight > 0 && height > MaxHeight) height = MaxHeight;
        if (MinWidth > 0 && width < MinWidth) width = MinWidth;
        if (MinHeight > 0 && height < MinHeight) height = MinHeight;
    }
    bool operator==(const TspPanelConstraints&) const = default;
};
