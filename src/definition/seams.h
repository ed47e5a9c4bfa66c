#pragma once

#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace bw {

// The application's stored settings: user scope first, then system scope.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string read(const std::string& section, const std::string& name,
                             const std::string& defaultValue) const = 0;
    virtual void write(const std::string& section, const std::string& name,
                       const std::string& value) = 0;
};

// Settings held in memory: for tests, and wherever nothing should persist.
class MemorySettings : public SettingsStore {
public:
    std::string read(const std::string& section, const std::string& name,
                     const std::string& defaultValue) const override;
    void write(const std::string& section, const std::string& name,
               const std::string& value) override;

    // Values stored under "section/name".
    std::map<std::string, std::string> values;
};

// Answers of the overwrite question; the numbers are the dialog's result codes.
enum class OverwriteAnswer { Yes = 6, No = 7, YesToAll = 8, Cancel = 2 };

enum class MessageIcon { Information, Exclamation, Stop, Question };

// Whether the file an overwrite question is about may be written.
enum class FileAccess { Writable, ReadOnly };

// The overwrite question, and what follows it for a read-only file.
inline constexpr const char* OVERWRITE_QUESTION = "File Exists, overwrite?";
inline constexpr const char* READ_ONLY_NOTE = " The file is read-only; it stays read-only.";

// Everything the core asks of, or tells, the person at the keyboard.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // The overwrite question for an existing file.
    virtual OverwriteAnswer askOverwrite(const std::string& path) = 0;
    // The same for a read-only file, which the question says it is (a
    // wrapper of other prompts passes it on as it is).
    virtual OverwriteAnswer askOverwriteReadOnly(const std::string& path) {
        return askOverwrite(path);
    }
    // The same for a file whose hand edits the replacement would lose (edited
    // since the program last wrote it, or its user sections not carried
    // over): note says so and where the copy goes, and No is the answer a
    // keystroke gives. Prompts that cannot show the note ask as for any file.
    virtual OverwriteAnswer askOverwriteLosingEdits(const std::string& path,
                                                    const std::string& /*note*/,
                                                    FileAccess access) {
        return access == FileAccess::ReadOnly ? askOverwriteReadOnly(path) : askOverwrite(path);
    }
    // A Yes/No question; true is Yes.
    virtual bool askYesNo(const std::string& text, MessageIcon icon) = 0;
    // A message with an OK button.
    virtual void showMessage(const std::string& text, MessageIcon icon) = 0;
};

// The local time written into file heads.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::tm localNow() const = 0;
};

// The real clock, or SOURCE_DATE_EPOCH when that is set (reproducible output).
class SystemClock : public Clock {
public:
    std::tm localNow() const override;
};

}  // namespace bw
