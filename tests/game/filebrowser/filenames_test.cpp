#include "game/filebrowser/filenames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(FileNames, TypedNamesStayInTheFolderAndVisible)
{
    for (const char* good : {"level", "level.rmap", "my level 2", "niveau-\xC3\xA9t\xC3\xA9"})
        EXPECT_TRUE(UI::isPlainFileName(good)) << good;
    for (const std::string& bad : std::vector<std::string>{"", ".", "..", "../level", "maps/level", "/etc/level", ".hidden",
                                  std::string("le\0vel", 6), std::string(256, 'a')})
        EXPECT_FALSE(UI::isPlainFileName(bad)) << bad;
    EXPECT_TRUE(UI::isPlainFileName(std::string(255, 'a')));

    for (const uint32_t refused : {uint32_t('/'), uint32_t('\\'), uint32_t(':'), uint32_t('*'), uint32_t('?'),
                                   uint32_t('"'), uint32_t('<'), uint32_t('>'), uint32_t('|'), 0u, 0x1Fu, 0x7Fu})
        EXPECT_FALSE(UI::fileNameCharacterAllowed(refused)) << refused;
    for (const uint32_t taken : {uint32_t('a'), uint32_t(' '), uint32_t('.'), uint32_t('-'), 0xE9u, 0x20ACu})
        EXPECT_TRUE(UI::fileNameCharacterAllowed(taken)) << taken;
}
