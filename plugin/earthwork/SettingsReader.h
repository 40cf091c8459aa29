// Read access to the plug-in's string settings. The pane calculations read
// their settings afresh for every pane through this interface, so they run
// without a registry in tests and tools; the plug-in hands in a reader backed
// by the product's registry key.
#pragma once

#include <map>
#include <optional>
#include <string>

class SettingsReader {
public:
    virtual ~SettingsReader() = default;
    // The stored text of the named setting, or nothing when it is not set.
    virtual std::optional<std::wstring> value(const std::wstring& name) const = 0;
    // Told by the calculations when a user formula setting they use is empty
    // (`error` empty) or stops the evaluator (`error` its error text); the
    // volume is still the one the formula gives. Ignored unless overridden.
    virtual void formulaFailed(const std::wstring& setting, const std::wstring& error) const {
        (void)setting;
        (void)error;
    }
};

// Settings held in memory: for tests, tools and callers that already hold values.
class MapSettingsReader : public SettingsReader {
public:
    MapSettingsReader() = default;
    explicit MapSettingsReader(std::map<std::wstring, std::wstring> values);

    std::optional<std::wstring> value(const std::wstring& name) const override;
    void set(const std::wstring& name, const std::wstring& text);
    void erase(const std::wstring& name);

private:
    std::map<std::wstring, std::wstring> mValues;
};
