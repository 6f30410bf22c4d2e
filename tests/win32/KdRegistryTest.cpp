// The rotation settings and the registry accessor against Wine's real registry. Every test
// starts and ends without the key "Software\Tessaly".
#include "Exceptions.h"
#include "Kdregistry.h"
#include "Registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

const char* const VendorKey = "Software\\Tessaly";

void DeleteVendorKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, VendorKey);
}

void CreateSettingsKey() {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, KDRegistryKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void StoreDword(const char* name, DWORD value) {
    ASSERT_EQ(
        RegSetKeyValueA(HKEY_CURRENT_USER, KDRegistryKey, name, REG_DWORD, &value, sizeof(value)),
        ERROR_SUCCESS);
}

void StoreText(const char* name, const std::string& text) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, KDRegistryKey, name, REG_SZ, text.c_str(),
                              DWORD(text.size() + 1)),
              ERROR_SUCCESS);
}

// The stored DWORD, or nothing when the value is missing or of another type.
std::optional<DWORD> StoredDword(const char* name) {
    DWORD type = 0, value = 0, size = sizeof(value);
    if (RegGetValueA(HKEY_CURRENT_USER, KDRegistryKey, name, RRF_RT_ANY, &type, &value, &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteVendorKey(); }
    void TearDown() override { DeleteVendorKey(); }
};

TEST_F(RegistryTest, SettingsStartWithTheirDefaults) {
    TKDRegistry settings;
    EXPECT_TRUE(settings.ChangeOnStartup);
    EXPECT_EQ(settings.ChangeAfterMinutes, 15);
    EXPECT_EQ(&GetRotationSettings(), &GetRotationSettings());
}

// A value to store before reading: a DWORD, a text, or nothing.
struct Stored {
    enum Kind { None, Dword, Text } What = None;
    DWORD Number = 0;
};

struct ReadCase {
    const char* Name;
    bool KeyExists;
    Stored OnStartup;
    Stored Minutes;
    // Fields before reading (the minutes start at 7), and after.
    bool StartOnStartup;
    bool ExpectedOnStartup;
    std::int32_t ExpectedMinutes;
};

class ReadSettingsTest : public RegistryTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadSettingsTest, ReadsWhatIsReadableAndKeepsTheRest) {
    const ReadCase& c = GetParam();
    if (c.KeyExists)
        CreateSettingsKey();
    const auto store = [](const char* name, const Stored& value) {
        if (value.What == Stored::Dword)
            StoreDword(name, value.Number);
        else if (value.What == Stored::Text)
            StoreText(name, std::to_string(value.Number));
    };
    store(KDChangeOnStartupValue, c.OnStartup);
    store(KDChangeAfterMinutesValue, c.Minutes);

    TKDRegistry settings;
    settings.ChangeOnStartup = c.StartOnStartup;
    settings.ChangeAfterMinutes = 7;
    EXPECT_NO_THROW(settings.ReadSettings());
    EXPECT_EQ(settings.ChangeOnStartup, c.ExpectedOnStartup);
    EXPECT_EQ(settings.ChangeAfterMinutes, c.ExpectedMinutes);
}

const Stored None{};
Stored Dword(DWORD number) {
    return {Stored::Dword, number};
}
Stored Text(DWORD number) {
    return {Stored::Text, number};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadSettingsTest,
    ::testing::Values(
        ReadCase{"NoKey", false, None, None, false, false, 7},
        ReadCase{"KeyWithoutValues", true, None, None, false, false, 7},
        ReadCase{"TwoReadsTrue", true, Dword(2), Dword(30), false, true, 30},
        ReadCase{"ZeroReadsFalse", true, Dword(0), Dword(5), true, false, 5},
        ReadCase{"AnyNumberOfMinutes", true, Dword(1), Dword(0xFFFFFFFF), false, true, -1},
        ReadCase{"TextUnderOnStartupStopsReading", true, Text(0), Dword(30), true, true, 7},
        ReadCase{"TextUnderMinutesKeepsMinutes", true, Dword(0), Text(30), true, false, 7},
        ReadCase{"OnlyMinutes", true, None, Dword(45), false, false, 45}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RegistryTest, WriteCreatesTheKeyAndStoresOneForTrue) {
    struct Case {
        bool OnStartup;
        std::int32_t Minutes;
        DWORD StoredOnStartup;
    };
    for (const Case& c : {Case{true, 15, 1}, Case{false, 360, 0}, Case{true, 1, 1}}) {
        SCOPED_TRACE(c.Minutes);
        DeleteVendorKey();
        TKDRegistry settings;
        settings.ChangeOnStartup = c.OnStartup;
        settings.ChangeAfterMinutes = c.Minutes;
        ASSERT_NO_THROW(settings.WriteSettings());
        EXPECT_EQ(StoredDword(KDChangeOnStartupValue), c.StoredOnStartup);
        EXPECT_EQ(StoredDword(KDChangeAfterMinutesValue), DWORD(c.Minutes));

        TKDRegistry readBack;
        readBack.ChangeOnStartup = !c.OnStartup;
        readBack.ReadSettings();
        EXPECT_EQ(readBack.ChangeOnStartup, c.OnStartup);
        EXPECT_EQ(readBack.ChangeAfterMinutes, c.Minutes);
    }
}

TEST_F(RegistryTest, WriteOverTextValuesStoresNumbers) {
    CreateSettingsKey();
    StoreText(KDChangeOnStartupValue, "1");
    StoreText(KDChangeAfterMinutesValue, "15");
    TKDRegistry settings;
    settings.ChangeOnStartup = false;
    settings.ChangeAfterMinutes = 20;
    settings.WriteSettings();
    EXPECT_EQ(StoredDword(KDChangeOnStartupValue), 0u);
    EXPECT_EQ(StoredDword(KDChangeAfterMinutesValue), 20u);
}

TEST_F(RegistryTest, FailedWriteRaisesRegistryError) {
    // A volatile parent refuses a lasting child key, so the settings key cannot be made.
    HKEY vendor = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, VendorKey, 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &vendor, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(vendor);
    TKDRegistry settings;
    try {
        settings.WriteSettings();
        FAIL() << "no error raised";
    } catch (const ERegistryException& error) {
        EXPECT_EQ(error.Message(), "Failed to set data for 'SaverChangeOnStartup'");
    }
}

TEST_F(RegistryTest, AccessorOpensOnlyExistingKeysUnlessAskedToCreate) {
    TRegistry registry;
    EXPECT_EQ(registry.RootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(registry.KeyExists(KDRegistryKey));
    EXPECT_FALSE(registry.OpenKey(KDRegistryKey, false));
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_TRUE(registry.OpenKey(std::string("\\") + KDRegistryKey, true));
    EXPECT_NE(registry.CurrentKey(), nullptr);
    EXPECT_TRUE(registry.KeyExists(KDRegistryKey));
    EXPECT_FALSE(registry.ValueExists("Missing"));
    registry.WriteInteger("Number", -5);
    EXPECT_TRUE(registry.ValueExists("Number"));
    EXPECT_EQ(registry.ReadInteger("Number"), -5);
    registry.CloseKey();
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_FALSE(registry.ValueExists("Number"));
}

TEST_F(RegistryTest, AccessorRaisesOnUnreadableAndUnwritableValues) {
    CreateSettingsKey();
    StoreText("Text", "12");
    StoreText("LongText", "a text longer than four bytes");
    struct Case {
        const char* Name;
        REGSAM Access;
        bool Open;
        bool Write;
        const char* Value;
        const char* Message;
    };
    const Case cases[] = {
        {"text read as number", KEY_READ, true, false, "Text", "Invalid data type for 'Text'"},
        {"long text read as number", KEY_READ, true, false, "LongText",
         "Invalid data type for 'LongText'"},
        {"missing value", KEY_READ, true, false, "Missing", "Failed to get data for 'Missing'"},
        {"no key open", KEY_ALL_ACCESS, false, true, "Number", "Failed to set data for 'Number'"},
        {"key open for reading only", KEY_READ, true, true, "Number",
         "Failed to set data for 'Number'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TRegistry registry(c.Access);
        if (c.Open) {
            ASSERT_TRUE(registry.OpenKey(KDRegistryKey, false));
        }
        try {
            if (c.Write)
                registry.WriteInteger(c.Value, 1);
            else
                registry.ReadInteger(c.Value);
            ADD_FAILURE() << "no error raised";
        } catch (const ERegistryException& error) {
            EXPECT_EQ(error.Message(), c.Message);
        }
    }
    EXPECT_FALSE(StoredDword("Number").has_value());
}

} // namespace
