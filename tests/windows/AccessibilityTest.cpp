// The Windows window as a screen reader meets it: read from this process, another than the
// program's, through Active Accessibility, as Narrator, NVDA and JAWS read it.
#include "EventWiring.h"
#include "Placements.h"
#include "Roles.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <map>

using namespace wintest;
namespace control = quendra::control;
using quendra::ControlKind;

namespace {

class Accessibility : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    static void TearDownTestSuite() { CoUninitialize(); }

    RunningWindow window_{programFolder() + L"\\Project1.exe", programFolder()};
};

struct Read {
    std::wstring name;
    long role = 0;
    std::wstring value;
    std::wstring description;
};

Read readFromOutside(HWND control) {
    IAccessible* object = nullptr;
    Read read;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return read;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK && text)
        read.name = text;
    SysFreeString(text);
    text = nullptr;
    if (object->get_accValue(self, &text) == S_OK && text)
        read.value = text;
    SysFreeString(text);
    text = nullptr;
    if (object->get_accDescription(self, &text) == S_OK && text)
        read.description = text;
    SysFreeString(text);
    VARIANT role{};
    if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4)
        read.role = role.lVal;
    object->Release();
    return read;
}

TEST_F(Accessibility, EachLabelLiesJustBeforeTheControlItNamesAndEachGroupBeforeItsControls) {
    const quendra::FormModel& model = window_.model();
    std::map<HWND, int> stacked;
    HWND first = GetWindow(window_.control(control::Edit01), GW_HWNDFIRST);
    for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT))
        stacked.emplace(w, static_cast<int>(stacked.size()));
    int labelled = 0;
    for (const quendra::ControlState& c : model.controls()) {
        const quendra::ControlName label = quendra::form::namingLabel(model, c.name);
        if (label.empty())
            continue;
        ++labelled;
        EXPECT_EQ(GetWindow(window_.control(c.name), GW_HWNDPREV), window_.control(label))
            << c.name;
        EXPECT_EQ(narrow(textOf(window_.control(label))),
                  quendra::form::accessibleName(model, c.name));
    }
    EXPECT_EQ(labelled, 9); // the rest are named by a placeholder, a check box or a shared label
    for (const quendra::form::Placement& p : quendra::form::placements()) {
        if (p.parent == control::Form1)
            continue;
        EXPECT_LT(stacked.at(window_.control(p.parent)), stacked.at(window_.control(p.name)))
            << p.name;
    }
    for (quendra::ControlName group :
         {control::RadioGroup1, control::RadioGroup2, control::RadioGroup3, control::RadioGroup4})
        EXPECT_LT(stacked.at(window_.control(group)), stacked.at(window_.radioButton(group, 0)))
            << group;
}

// The name the description gives, the control's role and what it holds, in every bitrate mode
// (each shows other controls).
TEST_F(Accessibility, EveryFieldDropDownAndSliderTellsItsNameRoleAndValueInEachBitrateMode) {
    const std::map<ControlKind, long> roles = {{ControlKind::Edit, ROLE_SYSTEM_TEXT},
                                               {ControlKind::DropDown, ROLE_SYSTEM_COMBOBOX},
                                               {ControlKind::Slider, ROLE_SYSTEM_SLIDER}};
    for (int mode : {1, 2, 0}) {
        clickMark(window_.radioButton(control::RadioGroup1, mode));
        ASSERT_TRUE(
            waitUntil([&] { return checked(window_.radioButton(control::RadioGroup1, mode)); }));
        quendra::FormModel expected;
        quendra::EventWiring(expected).itemIndexChanged(control::RadioGroup1, mode);
        int read = 0;
        for (const quendra::ControlState& c : expected.controls()) {
            const auto role = roles.find(c.kind);
            if (role == roles.end())
                continue;
            ++read;
            const Read got = readFromOutside(window_.control(c.name));
            EXPECT_EQ(narrow(got.name), quendra::form::accessibleName(expected, c.name))
                << c.name << " in mode " << mode;
            EXPECT_EQ(got.role, role->second) << c.name;
            EXPECT_EQ(narrow(got.value),
                      c.kind == ControlKind::Slider ? std::to_string(c.position) : c.text)
                << c.name << " in mode " << mode;
            EXPECT_EQ(narrow(got.description),
                      quendra::form::accessibleDescription(expected, c.name))
                << c.name;
            if (c.kind == ControlKind::DropDown) { // its edit line, where the focus goes
                const Read line = readFromOutside(
                    FindWindowExW(window_.control(c.name), nullptr, L"Edit", nullptr));
                EXPECT_EQ(line.name, got.name) << c.name;
                EXPECT_EQ(line.role, ROLE_SYSTEM_TEXT) << c.name;
                EXPECT_EQ(line.value, got.value) << c.name;
                EXPECT_EQ(line.description, got.description) << c.name;
            }
        }
        EXPECT_EQ(read, 24);
    }
}

// The other controls keep their caption and role, Windows' own, unless the description names
// them otherwise (the "..." buttons by the file they choose); each tells its description.
TEST_F(Accessibility, ButtonsBoxesAndLabelsTellTheDescriptionsNameAndDescription) {
    const quendra::FormModel& model = window_.model();
    int named = 0;
    for (const quendra::ControlState& c : model.controls()) {
        if (c.kind == ControlKind::Edit || c.kind == ControlKind::DropDown ||
            c.kind == ControlKind::Slider)
            continue;
        const std::string name = quendra::form::accessibleName(model, c.name);
        named += !name.empty();
        const Read got = readFromOutside(window_.control(c.name));
        EXPECT_EQ(narrow(got.name), name.empty() ? c.caption : name) << c.name;
        EXPECT_EQ(narrow(got.description), quendra::form::accessibleDescription(model, c.name))
            << c.name;
    }
    EXPECT_EQ(named, 2); // the two "..." buttons
}

} // namespace
