// The auxiliary units together: start-up and shut-down order, once-only work, the
// constant tables, the picker names from the string table and what shut-down lets go.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/AuxUnits.h"

namespace {

using namespace components;

struct Counted : fw::TObject {
    int* frees;
    explicit Counted(int* f) : frees(f) {}
    ~Counted() override { ++*frees; }
};

std::vector<std::string> Names(const std::vector<fw::TUnit*>& units) {
    std::vector<std::string> out;
    for (fw::TUnit* u : units) out.push_back(u->Name());
    return out;
}

TEST(AuxUnits, StartInDependencyOrderAndShutDownInReverse) {
    const std::vector<std::string> order = {"ColorScheme",  "ColorNames",   "ColorPicker", "LibraryHandle",
                                            "StatusPanes",  "SharedObject", "TrayIcon"};
    EXPECT_EQ(order, Names(AuxiliaryUnits()));

    fw::UnitTrace().clear();
    fw::TUnitSequence seq(AuxiliaryUnits());
    seq.InitializeAll();
    seq.FinalizeAll();
    std::vector<std::string> expected;
    for (const std::string& n : order) expected.push_back("init " + n);
    for (auto it = order.rbegin(); it != order.rend(); ++it) expected.push_back("fini " + *it);
    EXPECT_EQ(expected, fw::UnitTrace());
}

TEST(AuxUnits, StartUpAndShutDownWorkRunOnceEach) {
    ColorPickerUnit().Initialize();
    ASSERT_EQ("Black", ColorPickerEntries[0].Name);
    ColorPickerEntries[0].Name = "changed";
    ColorPickerUnit().Initialize();  // counter 2: nothing is loaded again
    EXPECT_EQ("changed", ColorPickerEntries[0].Name);
    ColorPickerUnit().Finalize();    // counter 1: nothing is released yet
    EXPECT_EQ("changed", ColorPickerEntries[0].Name);
    ColorPickerUnit().Finalize();
    EXPECT_EQ("", ColorPickerEntries[0].Name);
    EXPECT_EQ(0, ColorPickerUnit().Counter());

    int frees = 0;
    SharedObjectUnit().Initialize();
    SharedObject = new Counted(&frees);
    SharedObjectUnit().Finalize();
    EXPECT_EQ(1, frees);
    EXPECT_EQ(nullptr, SharedObject);
    SharedObject = new Counted(&frees);
    SharedObjectUnit().Finalize();  // already at zero: no second shut-down
    EXPECT_EQ(1, frees);
    EXPECT_NE(nullptr, SharedObject);
    fw::FreeAndNil(SharedObject);
}

TEST(AuxUnits, ColorTablesHoldTheirConstantNamesAndValues) {
    EXPECT_EQ("Black", StandardColorNames[0].Name);
    EXPECT_EQ(0x000000u, StandardColorNames[0].Value);
    EXPECT_EQ("Navy", StandardColorNames[4].Name);
    EXPECT_EQ(0x800000u, StandardColorNames[4].Value);
    EXPECT_EQ("Fuchsia", StandardColorNames[13].Name);
    EXPECT_EQ(0xFF00FFu, StandardColorNames[13].Value);
    EXPECT_EQ("White", StandardColorNames[15].Name);

    for (size_t i = 0; i < SystemColorNames.size(); ++i)
        EXPECT_EQ(0xFF000000u + i, SystemColorNames[i].Value) << SystemColorNames[i].Name;
    EXPECT_EQ("ScrollBar", SystemColorNames[0].Name);
    EXPECT_EQ("BtnFace", SystemColorNames[15].Name);
    EXPECT_EQ("3DDkShadow", SystemColorNames[21].Name);
    EXPECT_EQ("InfoBk", SystemColorNames[24].Name);
    EXPECT_EQ("Custom", CustomColorName.Name);
    EXPECT_EQ("Default", DefaultColorName.Name);

    EXPECT_EQ((std::array<std::string, 4>{"CAPS", "NUM", "SCR", "Insert"}), KeyStateCaptions);
    EXPECT_EQ((std::array<std::string, 2>{"System", "Memory"}), ResourceCaptions);
}

TEST(AuxUnits, PickerNamesComeFromTheStringTableInOrder) {
    for (const TColorPickerEntry& e : ColorPickerEntries) EXPECT_EQ("", e.Name) << "nothing before start-up";
    ColorPickerUnit().Initialize();
    const struct {
        size_t index;
        const char* name;
        TColor value;
    } spots[] = {{0, "Black", 0x000000},          {1, "Brown", 0x003399},
                 {7, "Gray 80%", 0x333333},       {9, "Orange", 0x0066FF},
                 {31, "Gray 25%", 0xC0C0C0},      {39, "White", 0xFFFFFF},
                 {40, "Scroll Bar", 0xFF000000},  {55, "Button Face", 0xFF00000F},
                 {64, "Info Background", 0xFF000018}, {65, "Hot Light", 0xFF00001A},
                 {69, "Menu Bar", 0xFF00001E}};
    for (const auto& s : spots) {
        EXPECT_EQ(s.name, ColorPickerEntries[s.index].Name) << "entry " << s.index;
        EXPECT_EQ(s.value, ColorPickerEntries[s.index].Value) << "entry " << s.index;
    }
    for (const TColorPickerEntry& e : ColorPickerEntries) EXPECT_FALSE(e.Name.empty());
    EXPECT_EQ("", fw::LoadStr(FirstColorPickerNameId + 70)) << "ids past the last name are unused";
}

TEST(AuxUnits, ShutDownsReleaseTheirTextsAndHandles) {
    for (fw::TUnit* u : AuxiliaryUnits()) u->Initialize();

    LoadedLibraryHandle = LoadLibraryA("msimg32.dll");
    ASSERT_NE(nullptr, LoadedLibraryHandle);
    int frees = 0;
    TrayIconHandler = new Counted(&frees);
    SharedObject = new Counted(&frees);

    auto units = AuxiliaryUnits();
    for (auto it = units.rbegin(); it != units.rend(); ++it) (*it)->Finalize();

    EXPECT_EQ(2, frees);
    EXPECT_EQ(nullptr, TrayIconHandler);
    EXPECT_EQ(nullptr, SharedObject);
    EXPECT_EQ(nullptr, GetModuleHandleA("msimg32.dll")) << "the library was let go";
    for (const TColorName& c : StandardColorNames) EXPECT_EQ("", c.Name);
    for (const TColorName& c : SystemColorNames) EXPECT_EQ("", c.Name);
    EXPECT_EQ("", CustomColorName.Name);
    EXPECT_EQ("", DefaultColorName.Name);
    EXPECT_EQ(0xFFFFFFu, StandardColorNames[15].Value) << "values stay";
    for (const TColorPickerEntry& e : ColorPickerEntries) EXPECT_EQ("", e.Name);
    for (const std::string& s : KeyStateCaptions) EXPECT_EQ("", s);
    for (const std::string& s : ResourceCaptions) EXPECT_EQ("", s);
}

}  // namespace
