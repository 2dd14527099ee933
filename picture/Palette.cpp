// Palette choice for a whole animation: exact colours when few, otherwise median cut over the
// colour histogram refined by k-means; and the mapping of pixels (nearest or dithered).
#include "picture/Palette.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace
{
constexpr std::size_t NUM_COLOURS = 1u << 24;
constexpr int KMEANS_PASSES = 6;

struct tWeightedColour
{
    std::uint8_t C[3];
    std::uint32_t Count;
};

std::uint32_t Pack(int R, int G, int B)
{
    return static_cast<std::uint32_t>(R) << 16 | static_cast<std::uint32_t>(G) << 8 |
           static_cast<std::uint32_t>(B);
}

// A box of the median cut: a range of the colour list.
struct tBox
{
    std::size_t Begin, End;
    int Axis = 0, Spread = 0;
    double Weight = 0;
};

void Measure(const std::vector<tWeightedColour>& Colours, tBox& Box)
{
    int Low[3] = {255, 255, 255}, High[3] = {0, 0, 0};
    Box.Weight = 0;
    for (std::size_t i = Box.Begin; i < Box.End; ++i)
    {
        for (int Axis = 0; Axis < 3; ++Axis)
        {
            Low[Axis] = std::min<int>(Low[Axis], Colours[i].C[Axis]);
            High[Axis] = std::max<int>(High[Axis], Colours[i].C[Axis]);
        }
        Box.Weight += Colours[i].Count;
    }
    Box.Axis = 0;
    for (int Axis = 1; Axis < 3; ++Axis)
        if (High[Axis] - Low[Axis] > High[Box.Axis] - Low[Box.Axis])
            Box.Axis = Axis;
    Box.Spread = High[Box.Axis] - Low[Box.Axis];
}

// Splits boxes until there are MaxColours: always the box whose pixels lie furthest apart
// (weight times squared spread), at its weighted median along its widest axis.
std::vector<tBox> MedianCut(std::vector<tWeightedColour>& Colours, int MaxColours)
{
    std::vector<tBox> Boxes{{0, Colours.size()}};
    Measure(Colours, Boxes[0]);
    while (static_cast<int>(Boxes.size()) < MaxColours)
    {
        auto Worst = Boxes.end();
        double WorstScore = 0;
        for (auto It = Boxes.begin(); It != Boxes.end(); ++It)
        {
            const double Score = It->Weight * It->Spread * It->Spread;
            if (It->End - It->Begin > 1 && Score > WorstScore)
                WorstScore = Score, Worst = It;
        }
        if (Worst == Boxes.end())
            break;
        tBox Box = *Worst;
        const int Axis = Box.Axis;
        std::sort(Colours.begin() + static_cast<std::ptrdiff_t>(Box.Begin),
                  Colours.begin() + static_cast<std::ptrdiff_t>(Box.End),
                  [Axis](const tWeightedColour& A, const tWeightedColour& B) {
                      return A.C[Axis] < B.C[Axis];
                  });
        double Half = 0;
        std::size_t Split = Box.Begin;
        while (Split < Box.End - 1 && Half + Colours[Split].Count <= Box.Weight / 2)
            Half += Colours[Split++].Count;
        Split = std::max(Split, Box.Begin + 1);
        tBox Low{Box.Begin, Split}, High{Split, Box.End};
        Measure(Colours, Low);
        Measure(Colours, High);
        *Worst = Low;
        Boxes.push_back(High);
    }
    return Boxes;
}

tPaletteColour Round(const double Sum[3], double Weight)
{
    auto Channel = [&](int Axis) {
        return static_cast<std::uint8_t>(std::clamp(Sum[Axis] / Weight + 0.5, 0.0, 255.0));
    };
    return {Channel(0), Channel(1), Channel(2)};
}
}  // namespace

cColourCounter::cColourCounter() : mCounts(NUM_COLOURS, 0) {}
cColourCounter::~cColourCounter() = default;

void cColourCounter::Add(const cRGBAPicture& Picture)
{
    if (mCounts.empty())
        throw std::logic_error("colours added after the palette was chosen");
    const std::uint8_t* p = Picture.Rgba.data();
    for (std::size_t i = 0, n = Picture.NumPixels(); i < n; ++i, p += 4)
        if (p[3] == 255)
        {
            std::uint32_t& Count = mCounts[Pack(p[0], p[1], p[2])];
            Count += Count != UINT32_MAX;
        }
}

std::vector<tPaletteColour> cColourCounter::ChoosePalette(int MaxColours)
{
    if (MaxColours < 1 || MaxColours > 256 || mCounts.empty())
        throw std::logic_error("a palette holds 1 to 256 colours, chosen once");
    std::vector<tWeightedColour> Colours;
    for (std::uint32_t c = 0; c < NUM_COLOURS; ++c)
        if (mCounts[c])
            Colours.push_back({{static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                static_cast<std::uint8_t>(c)},
                               mCounts[c]});
    std::vector<std::uint32_t>().swap(mCounts);
    std::vector<tPaletteColour> Palette;
    if (static_cast<int>(Colours.size()) <= MaxColours)
    {
        for (const tWeightedColour& Colour : Colours)
            Palette.push_back({Colour.C[0], Colour.C[1], Colour.C[2]});
        if (Palette.empty())
            Palette.push_back({0, 0, 0});
        return Palette;
    }

    for (const tBox& Box : MedianCut(Colours, MaxColours))
    {
        double Sum[3] = {0, 0, 0};
        for (std::size_t i = Box.Begin; i < Box.End; ++i)
            for (int Axis = 0; Axis < 3; ++Axis)
                Sum[Axis] += static_cast<double>(Colours[i].C[Axis]) * Colours[i].Count;
        Palette.push_back(Round(Sum, Box.Weight));
    }
    // k-means: every colour to its nearest entry, every entry to the mean of its colours.
    // An entry left with no colours keeps its place.
    for (int Pass = 0; Pass < KMEANS_PASSES; ++Pass)
    {
        const cPaletteMapper Mapper(Palette, -1);
        std::vector<std::array<double, 4>> Sums(Palette.size(), {0, 0, 0, 0});
        for (const tWeightedColour& Colour : Colours)
        {
            std::array<double, 4>& Sum = Sums[static_cast<std::size_t>(
                Mapper.Nearest(Colour.C[0], Colour.C[1], Colour.C[2]))];
            for (int Axis = 0; Axis < 3; ++Axis)
                Sum[static_cast<std::size_t>(Axis)] += static_cast<double>(Colour.C[Axis]) * Colour.Count;
            Sum[3] += Colour.Count;
        }
        for (std::size_t Entry = 0; Entry < Palette.size(); ++Entry)
            if (Sums[Entry][3] > 0)
                Palette[Entry] = Round(Sums[Entry].data(), Sums[Entry][3]);
    }
    return Palette;
}

cPaletteMapper::cPaletteMapper(std::vector<tPaletteColour> Palette, int TransparentIndex)
    : mPalette(std::move(Palette)), mTransparentIndex(TransparentIndex)
{
    if (mPalette.empty() || mPalette.size() > 256)
        throw std::logic_error("a palette holds 1 to 256 colours");
    for (int Entry = 0; Entry < static_cast<int>(mPalette.size()); ++Entry)
        mByGreen.push_back(Entry);
    std::sort(mByGreen.begin(), mByGreen.end(),
              [this](int A, int B) { return mPalette[static_cast<std::size_t>(A)].G <
                                            mPalette[static_cast<std::size_t>(B)].G; });
}

cPaletteMapper::~cPaletteMapper() = default;

int cPaletteMapper::Nearest(int R, int G, int B) const
{
    // Walks outward from the entries of nearest green, and stops on each side once green
    // alone is further than the best match so far.
    const auto Start = std::lower_bound(mByGreen.begin(), mByGreen.end(), G, [this](int Entry, int Green) {
        return mPalette[static_cast<std::size_t>(Entry)].G < Green;
    });
    int Best = -1, BestDistance = 1 << 30;
    auto Try = [&](int Entry) {
        const tPaletteColour& C = mPalette[static_cast<std::size_t>(Entry)];
        const int DR = C.R - R, DG = C.G - G, DB = C.B - B;
        const int GreenOnly = DG * DG;
        if (GreenOnly >= BestDistance)
            return false;
        const int Distance = DR * DR + GreenOnly + DB * DB;
        if (Distance < BestDistance)
            BestDistance = Distance, Best = Entry;
        return true;
    };
    for (auto Up = Start; Up != mByGreen.end() && Try(*Up); ++Up)
        ;
    for (auto Down = Start; Down != mByGreen.begin() && Try(*(Down - 1)); --Down)
        ;
    return Best;
}

std::vector<std::uint8_t> cPaletteMapper::Map(const cRGBAPicture& Picture, bool bDither)
{
    if (mCache.empty())
        mCache.assign(NUM_COLOURS, 0);
    auto Lookup = [this](int R, int G, int B) {
        std::int16_t& Cached = mCache[Pack(R, G, B)];
        if (!Cached)
            Cached = static_cast<std::int16_t>(Nearest(R, G, B) + 1);
        return static_cast<std::uint8_t>(Cached - 1);
    };
    const std::uint8_t Transparent = static_cast<std::uint8_t>(mTransparentIndex < 0 ? 0 : mTransparentIndex);
    std::vector<std::uint8_t> Indices(Picture.NumPixels());
    const std::uint8_t* p = Picture.Rgba.data();
    if (!bDither)
    {
        for (std::size_t i = 0; i < Indices.size(); ++i, p += 4)
            Indices[i] = p[3] == 255 ? Lookup(p[0], p[1], p[2]) : Transparent;
        return Indices;
    }
    // Floyd-Steinberg over two rows of carried error (in sixteenths), kept within the
    // covered pixels so the background's edge does not bleed into the model.
    const std::size_t W = static_cast<std::size_t>(Picture.Width);
    std::vector<int> This((W + 2) * 3, 0), Next((W + 2) * 3, 0);
    for (int Y = 0; Y < Picture.Height; ++Y)
    {
        std::fill(Next.begin(), Next.end(), 0);
        for (std::size_t X = 0; X < W; ++X, p += 4)
        {
            const std::size_t i = static_cast<std::size_t>(Y) * W + X;
            if (p[3] != 255)
            {
                Indices[i] = Transparent;
                continue;
            }
            int Want[3];
            for (int c = 0; c < 3; ++c)
                Want[c] = std::clamp(p[c] + This[(X + 1) * 3 + static_cast<std::size_t>(c)] / 16, 0, 255);
            const std::uint8_t Entry = Lookup(Want[0], Want[1], Want[2]);
            Indices[i] = Entry;
            const tPaletteColour& Got = mPalette[Entry];
            const int Error[3] = {Want[0] - Got.R, Want[1] - Got.G, Want[2] - Got.B};
            for (std::size_t c = 0; c < 3; ++c)
            {
                This[(X + 2) * 3 + c] += Error[c] * 7;
                Next[X * 3 + c] += Error[c] * 3;
                Next[(X + 1) * 3 + c] += Error[c] * 5;
                Next[(X + 2) * 3 + c] += Error[c];
            }
        }
        This.swap(Next);
    }
    return Indices;
}
