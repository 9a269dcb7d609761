#include "game/ui/uitextinputsystem.h"

#include "game/ui/uielements.h"
#include "tests/game/ui/uitestworld.h"
#include "tests/support/gltest.h"

#include <gtest/gtest.h>

#include <string>

using Component::UItextComponent;
using Component::UItextInputComponent;
using TestSupport::GLTest;
using UiTest::UiWorld;

namespace {

class UItextInputSystemTest : public GLTest {
protected:
    // A field showing `text`, being edited from the next step on.
    ECS::EntityId field(const std::string& text, UItextInputComponent::Filter filter = {})
    {
        const ECS::EntityId entity = UI::createTextElement(ui.world, 1, {100, 100}, {300, 40}, ui.white(),
                                                           glm::vec4(1.0f), ui.font(), UI::kWhite, text, UI::AlignLeft,
                                                           glm::vec2(0.0f));
        ui.step();
        UI::beginTextInput(ui.world, entity, std::move(filter), [this] { ++cancels; }, [this] { ++confirms; });
        ui.step();
        return entity;
    }
    std::string text(ECS::EntityId entity) { return ui.world.getComponent<UItextComponent>(entity).text; }
    bool editing(ECS::EntityId entity) { return ui.world.hasComponent<UItextInputComponent>(entity); }

    UiWorld ui;
    int cancels = 0;
    int confirms = 0;
};

} // namespace

TEST_F(UItextInputSystemTest, TypedTextIsAppendedAndBackspaceRemovesWholeCharacters)
{
    const ECS::EntityId f = field("ab");
    EXPECT_TRUE(ui.source.textInputActive);
    ui.type("c");
    ui.type("\xC3\xA9\xE2\x82\xAC"); // é€
    ui.step();
    EXPECT_EQ(text(f), "abc\xC3\xA9\xE2\x82\xAC");

    ui.tap(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(text(f), "abc\xC3\xA9");
    // Held down, Backspace acts once.
    ui.holdKey(SDL_SCANCODE_BACKSPACE, true);
    ui.step();
    ui.step();
    ui.step();
    ui.holdKey(SDL_SCANCODE_BACKSPACE, false);
    ui.step();
    EXPECT_EQ(text(f), "abc");
    EXPECT_EQ(ui.world.getComponent<UItextComponent>(f).textMesh.text(), u"abc");

    // Typing and Backspace in one update: the typed text first.
    ui.type("xy");
    ui.holdKey(SDL_SCANCODE_BACKSPACE, true);
    ui.step();
    ui.holdKey(SDL_SCANCODE_BACKSPACE, false);
    EXPECT_EQ(text(f), "abcx");
}

TEST_F(UItextInputSystemTest, ReturnConfirmsAndEscapeRestoresTheOriginalText)
{
    const ECS::EntityId f = field("old");
    ui.type("er");
    ui.tap(SDL_SCANCODE_RETURN);
    EXPECT_EQ(text(f), "older");
    EXPECT_FALSE(editing(f));
    EXPECT_EQ(confirms, 1);
    EXPECT_EQ(cancels, 0);
    EXPECT_FALSE(ui.source.textInputActive);

    UI::beginTextInput(ui.world, f, {}, [this] { ++cancels; }, [this] { ++confirms; });
    ui.step();
    ui.type("!!!");
    ui.step();
    // Escape wins over Return pressed in the same update.
    ui.holdKey(SDL_SCANCODE_RETURN, true);
    ui.holdKey(SDL_SCANCODE_ESCAPE, true);
    ui.step();
    EXPECT_EQ(text(f), "older");
    EXPECT_EQ(confirms, 1);
    EXPECT_EQ(cancels, 1);
    EXPECT_FALSE(ui.source.textInputActive);
}

TEST_F(UItextInputSystemTest, MalformedUtf8ShowsAsReplacementCharactersAndTheFilterSeesCodePoints)
{
    const ECS::EntityId f = field("");
    ui.type("a\xFF" "b\xE2\x82"); // a stray byte and a cut-off sequence
    EXPECT_NO_THROW(ui.step());
    EXPECT_EQ(text(f), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
    ui.tap(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(text(f), "a\xEF\xBF\xBD" "b");
    for (int i = 0; i < 4; ++i)
        ui.tap(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(text(f), "") << "Backspace on an empty field does nothing";
    EXPECT_TRUE(editing(f));

    // The filter decides per code point; malformed bytes reach it as U+FFFD.
    const ECS::EntityId g = field("", [](const std::string& soFar, uint32_t codePoint) {
        return codePoint >= '0' && codePoint <= '9' && soFar.size() < 3;
    });
    ui.type("1a\xC0\xAF" "2\xC3\xA9" "345");
    EXPECT_NO_THROW(ui.step());
    EXPECT_EQ(text(g), "123");
}

TEST_F(UItextInputSystemTest, AFullFieldRefusesFurtherInput)
{
    const std::string almostFull(UItextInputComponent::kMaxTextBytes - 1, 'a');
    const ECS::EntityId f = field(almostFull);
    testing::internal::CaptureStdout();
    ui.type("\xC3\xA9" "b" "c"); // é needs two bytes, only one is left
    ui.step();
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(text(f), almostFull + "b");
    EXPECT_NE(console.find("full"), std::string::npos) << console;

    // Room made by Backspace is taken again.
    ui.tap(SDL_SCANCODE_BACKSPACE);
    ui.type("z");
    ui.step();
    EXPECT_EQ(text(f), almostFull + "z");
}

TEST_F(UItextInputSystemTest, DestroyingAFocusedFieldStopsTextInput)
{
    const ECS::EntityId f = field("x");
    ui.world.destroyEntity(f);
    ui.step();
    EXPECT_FALSE(ui.source.textInputActive);
    EXPECT_EQ(confirms + cancels, 0);
}
