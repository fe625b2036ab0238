#pragma once
// A ticket format: where the printer puts the crosses on a pools operator's
// betting slip. Every length is in hundredths of a millimetre.

#include <array>
#include <vector>

namespace vdx {

constexpr int kFormatMatchGaps = 13; // gap k lies between match k+1 and match k+2
constexpr int kFormatLineGaps = 11;  // gap k lies between line k+1 and line k+2

enum FormatSide : int { kSideTop = 0, kSideRight = 1, kSideBottom = 2, kSideLeft = 3 };

// Codes and bounds of the values.
constexpr int kInsertDirectionMax = 3; // up, right, down, left
constexpr int kJustificationMax = 2;   // left justified, centred, right justified
constexpr int kTipsOrderMax = 5;       // "12X", "1X2", "21X", "2X1", "X12", "X21"
constexpr int kOutputRatioMin = 10, kOutputRatioMax = 200;
constexpr int kFormatLinesMin = 2, kFormatLinesMax = 12;
constexpr int kFormatMatchesMin = 2, kFormatMatchesMax = 14;
constexpr int kSizeOfXMin = 100, kSizeOfXMax = 500;
constexpr int kSpaceMax = 1000;      // space between X's and every gap
constexpr int kSideSpaceMax = 20000;

// The least side space for a size of X: half a cross, rounded up.
constexpr int MinSideSpace(int sizeOfX) { return (sizeOfX + 1) / 2; }

template <int N>
constexpr std::array<int, N> FilledArray(int v) {
    std::array<int, N> a{};
    for (int& x : a) x = v;
    return a;
}

struct TicketFormatValues {
    int insertDirection = 0;
    int justification = 1;
    int outputRatio = 100;
    int maxLines = 12;
    int maxMatches = 12;
    int sizeOfX = 200;
    int tipsOrder = 0;
    int spaceBetweenXs = 380;
    std::array<int, kFormatMatchGaps> spacesBetweenMatches = FilledArray<kFormatMatchGaps>(391);
    std::array<int, kFormatLineGaps> spacesBetweenLines = FilledArray<kFormatLineGaps>(380);
    std::array<int, 4> spacesToSides{2079, 580, 4420, 520}; // top, right, bottom, left

    bool operator==(const TicketFormatValues& o) const;
    bool operator!=(const TicketFormatValues& o) const { return !(*this == o); }
};

// The tips order as text ("12X" ...); codes outside 0..5 give "12X".
const char* TipsOrderText(int tipsOrder);
// Position (0..2) of tip 0 "1", 1 "X" or 2 "2" within a line block.
int TipSlot(int tipsOrder, int tip);
// The tip (0..2) at a slot.
int TipAtSlot(int tipsOrder, int slot);

// Left side + all line blocks and line gaps in use + right side.
int TotalLength(const TicketFormatValues& v);
// Top side + all match gaps in use + bottom side.
int TotalHeight(const TicketFormatValues& v);
// Distance along the match axis from the top edge to the centre of match row j.
int MatchPosition(const TicketFormatValues& v, int match);
// Distance along the line axis from the left edge to the first centre of line block i.
int LineBlockPosition(const TicketFormatValues& v, int line);

// What a new size of X raises first, one entry per change, in the order the
// changes are made: the space between X's, each low side, all match gaps in
// use, all line gaps in use.
struct SizeRaise {
    enum Kind { kSpaceBetweenXs, kSideSpace, kMatchGaps, kLineGaps };
    Kind kind;
    int side = -1;             // kSideSpace: which side
    int value = 0;             // kSpaceBetweenXs, kSideSpace: the new value
    std::vector<int> gaps;     // kMatchGaps, kLineGaps: all gaps in use, raised
};

// The ticket format being edited or printed with, with the rules of its values.
// Setters return false when they reject a value (the caller plays the warning
// sound); a rejected value leaves everything unchanged.
class TicketFormat {
public:
    TicketFormat() = default;
    explicit TicketFormat(const TicketFormatValues& values) : values_(values), saved_(values) {}

    const TicketFormatValues& values() const { return values_; }
    const TicketFormatValues& savedValues() const { return saved_; }
    // Some value differs from the saved ones, gaps beyond the counts included.
    bool modified() const { return values_ != saved_; }
    // Set by every successful save of this instance.
    bool savedSinceOpen() const { return savedSinceOpen_; }

    // After a successful load: these become the values and the saved values.
    void loaded(const TicketFormatValues& values);
    // After a successful save of the current values.
    void saved();

    // Codes step round: below 0 gives the largest code, above it gives 0.
    bool setInsertDirection(int v);
    bool setJustification(int v);
    bool setTipsOrder(int v);
    // Within the bounds, else rejected.
    bool setOutputRatio(int v);
    // Raising fills each newly used gap from the one before it; lowering
    // keeps the gap values.
    bool setMaxMatches(int v);
    bool setMaxLines(int v);
    // 100..500, else rejected. Whatever SizeRaises(v) lists is raised first,
    // so the other values never fall below what a cross needs.
    bool setSizeOfX(int v);
    // sizeOfX..1000, else rejected.
    bool setSpaceBetweenXs(int v);
    // Clamp or reject: a value beyond a bound stores the bound, unless the
    // current value is at or beyond that bound already.
    bool setSideSpace(int side, int v);
    bool setMatchGap(int index, int v);
    bool setLineGap(int index, int v);

    // What setSizeOfX(v) would raise; empty when nothing lies below.
    std::vector<SizeRaise> sizeRaises(int v) const;
    // Makes one of those changes through the setters.
    bool applyRaise(const SizeRaise& raise);

private:
    bool setMaxCount(int& count, int v, int lo, int hi, bool matches);

    TicketFormatValues values_;
    TicketFormatValues saved_;
    bool savedSinceOpen_ = false;
};

// The clamp-or-reject rule on its own: the value to store, or false.
bool ClampOrReject(int current, int v, int lo, int hi, int& stored);

} // namespace vdx
