// The state in the registry: the user's own key, strings throughout, and the
// earlier program's state taken over once.
#include <QSettings>

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/settings_value_store.h"
#include "windows_test.h"

namespace wyn::test {
namespace {

// The store over a registry key of the test's own.
SettingsValueStore storeIn(const TestKey& key) {
    return SettingsValueStore(std::make_unique<QSettings>(key.path(), QSettings::NativeFormat));
}

const std::string kJoerg = "C:\\Users\\J\xc3\xb6rg\\Spiele\\Quake II";

TEST(RegistryStore, KeepsStringValuesAndTheRecentFilesSubkey) {
    const TestKey key;
    {
        SettingsValueStore store = storeIn(key);
        EXPECT_TRUE(store.writeValue("DirectoryEdit", kJoerg));
        EXPECT_TRUE(store.writeValue("ExitCheckBox", "-1"));
        store.writeRecentFiles({kJoerg + "\\a.wyn", "D:\\b.wyn"});
        store.sync();
    }
    // As Windows holds them: REG_SZ strings, the recent files in their subkey.
    EXPECT_EQ(registryString(key.path(), "DirectoryEdit"),
              QStringLiteral("C:\\Users\\J\u00f6rg\\Spiele\\Quake II"));
    EXPECT_EQ(registryString(key.path(), "ExitCheckBox"), QStringLiteral("-1"));
    EXPECT_EQ(registryString(key.path("Recent Files"), "F1"), QStringLiteral("D:\\b.wyn"));

    const SettingsValueStore again = storeIn(key);
    EXPECT_EQ(again.readValue("DirectoryEdit"), kJoerg);
    EXPECT_EQ(again.readValue("Missing"), "");
    EXPECT_EQ(again.readRecentFiles(), (std::vector<std::string>{kJoerg + "\\a.wyn", "D:\\b.wyn"}));
}

// The program's own store: HKEY_CURRENT_USER, with what an earlier program
// left under HKEY_LOCAL_MACHINE copied in on the first start, and only then.
TEST(RegistryStore, TheUsersStoreTakesTheMachinesEarlierStateOnce) {
    const QString machine = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Tolvane\\WYN");
    const QString user = QStringLiteral("HKEY_CURRENT_USER\\Software\\Tolvane\\WYN");
    QSettings(user, QSettings::NativeFormat).clear();
    {
        QSettings earlier(machine, QSettings::NativeFormat);
        earlier.setValue("FragLimitComboBox", "20");
        earlier.setValue("Recent Files/F0", "c:\\quake2\\ctf.wyn");
    }
    {
        const SettingsValueStore store;
        EXPECT_EQ(store.readValue("FragLimitComboBox"), "20");
        EXPECT_EQ(store.readRecentFiles(), std::vector<std::string>{"c:\\quake2\\ctf.wyn"});
    }
    EXPECT_EQ(registryString(user, "FragLimitComboBox"), QStringLiteral("20"));
    QSettings(machine, QSettings::NativeFormat).setValue("FragLimitComboBox", "30");
    EXPECT_EQ(SettingsValueStore().readValue("FragLimitComboBox"), "20");
    QSettings(machine, QSettings::NativeFormat).clear();
    QSettings(user, QSettings::NativeFormat).clear();
}

}  // namespace
}  // namespace wyn::test
