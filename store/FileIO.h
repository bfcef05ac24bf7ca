// Skarpin's configuration and file store: the settings of the two settings files, the key tables the
// command editor and the set compiler use, and the folders of sets and automatic media.
#pragma once
#include "command/CommandWords.h"
#include "command/LanguageKey.h"
#include "framework/Files.h"
#include "library/ImageBaseManager.h"
#include "library/ProgramEnvironment.h"
#include "store/Block.h"
#include "store/IrCodeTable.h"
#include "store/KeyboardSettings.h"
#include "store/ListRecords.h"
#include "store/MouseClickReference.h"
#include "store/SetCompileResult.h"
#include "store/SetImage.h"
#include "store/SetKind.h"
#include <windows.h>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class IniText;
namespace ini {
class FileView;
} // namespace ini

// Where FileIO finds the Windows folder and the program itself.
using FileIOEnvironment = ProgramEnvironment;

// One instance, owned by the main window and handed by pointer to every window that needs it. The
// constructor reads the whole start-up configuration; the members are public and read directly.
// Getters read their file at each call unless the value is a member; setters write through at once.
// The numbering of the key words and language entries it reads is the command language's
// (FileIO::kReturn is CommandWords::kReturn).
class FileIO : public CommandWords {
public:
    static constexpr int kKeyCodeRows = 256;
    static constexpr int kKeyCodeColumns = 6;
    // The longest key name a block command may use; the driver program reads no more.
    static constexpr size_t kMaxKeyName = 14;

    enum Model { kModelPS2 = 0, kModelUSB = 1, kModelAccessKvora = 2 };
    enum EscapeDirection { kForWriting, kForReading };
    // Results of SaveOverlay. Only kSaved and kNotRegistered leave a new file; the others change nothing.
    enum SaveResult {
        kSaved = 1,
        kNotWritten = 0,     // the file could not be written; the file there before is untouched
        kUnstorable = -1,    // a block holds a value the file cannot hold (see FindUnstorableField)
        kNoName = -2,        // no name a file can have is left once the characters it cannot hold are gone
        kNotRegistered = -3, // the file is saved, but the set register could not take its entry
        kNameTaken = -4,     // a new overlay's name: something stands under its file name on the disk
        kFileGone = -5,      // an overlay read from its file: the file is no longer there
        kNoRoom = -6,        // a new template: the templates set lists no more
        kRegisterUnreadable = -7, // a new overlay: the set's register is there but cannot be read
    };
    // What a save may find under the overlay's file name: nothing (a new overlay, written as a new
    // file that never replaces one), the overlay's own file (never brought back once it has gone), or
    // either (the store's own tools).
    enum class SaveTarget { kNewFile, kOwnFile, kEither };
    // Results of LoadOverlay.
    enum LoadResult {
        kLoaded = 1,
        kNotOpened = 0,      // no such file, or one that cannot be read or is no overlay (another text
                             // form, no section of an overlay): both arrays are empty
        kDamaged = -1,       // some lines could not be read: the arrays hold what could
    };
    // What an operation that carries references along with a file or folder did. kNotDone: nothing
    // changed. kDone: everything went. kDonePartly: the file or folder went, but the references listed
    // in notCarried still lead where they led before (for a copy or move of an overlay, the media
    // files it still takes from the source set; for a set's new name, the overlays whose paths still
    // name the old folder), so the caller can tell the user which. kMovedUnlisted (a move of an
    // overlay only): the file went and could not be put back, but the registers could not follow it:
    // it lies in the target set's folder under the target name, and listings find it from the disk.
    struct CarryResult {
        enum Outcome { kNotDone, kDone, kDonePartly, kMovedUnlisted };
        Outcome outcome = kNotDone;
        std::vector<std::string> notCarried;

        static CarryResult NotDone() { return CarryResult(); }
        static CarryResult Done(std::vector<std::string> notCarried = {});
    };
    // The values of a block that an overlay file holds in a form of its own.
    enum class BlockField { None, Cells, Command, Picture, FontName, Text };
    // Where SaveOverlay found a value it cannot store: the section (0 keys, 1 background), the
    // block's index in its array and the field.
    struct UnstorableValue {
        int section = 0;
        int index = -1;
        BlockField field = BlockField::None;
    };

    FileIO();
    explicit FileIO(const FileIOEnvironment& environment);
    virtual ~FileIO();
    FileIO(const FileIO&) = delete;
    FileIO& operator=(const FileIO&) = delete;

    // Settings of the Windows settings file.
    int GetKeyboardModel() const;
    void SetKeyboardModel(int model);
    void GetMargins(const std::string& section, float& left, float& top) const;
    void SetMargins(const std::string& section, float left, float top);
    void GetDefaultFont(std::string& name) const;
    char GetPrefix() const;
    int UseTextSpeaker() const;
    int UseAcapela() const;

    // Settings of the program settings file.
    int GetPrintFormat() const;
    void GetDefaultImageBase(std::string& name) const;
    void SetDefaultImageBase(const std::string& name);
    void GetImageDir(std::string& folder) const;
    void SetImageDir(const std::string& folder);
    void GetSoundDir(std::string& folder) const;
    void SetSoundDir(const std::string& folder);
    void GetVideoDir(std::string& folder) const;
    void SetVideoDir(const std::string& folder);
    // The root of the drive a folder lies on, where the three folder getters start without a
    // setting: "D:\" for "D:\a\b", "\\server\share\" for a folder of a network share.
    static std::string DriveRoot(const std::string& folder);
    void SetExportDir(const std::string& folder);
    void SetImportDir(const std::string& folder);
    int GetShortCommandFlag() const;
    void SetShortCommandFlag(int flag);
    void SetDefaultStart(int number);
    int GetTextToSpeech() const;
    void SetTextToSpeech(int flag);
    bool GetTextSpeakerSettings(long& speed, long& pitch, long& volume) const;
    void SetTextSpeakerSettings(long speed, long pitch, long volume);
    void GetSapiVoice(std::string& name) const;
    void SetSapiVoice(const std::string& name);
    void SetAutoCommand(const AutoCommandSettings& settings);
    void SetShowStandardOverlays(int flag);
    void SetShowTemplates(int flag);
    void SetShowTemplateDlg(int flag);
    std::string GetCurrentSet() const;
    void SetCurrentSet(const std::string& name);

    // The [KeyboardSettings] of an ini file (the Windows settings file, a set register or an overlay).
    // The writers change the file's text key by key and replace it whole (see IniText); false when
    // it could not be written, and the file is then as it was.
    static void ReadKeyboardSettings(const std::string& file, KeyboardSettings& settings,
                                     const std::string& section = "KeyboardSettings");
    // The same from a file already read (an overlay's text), as the ini interface reads it.
    static void ReadKeyboardSettings(const ini::FileView& file, KeyboardSettings& settings,
                                     const std::string& section = "KeyboardSettings");
    static bool WriteKeyboardSettings(const std::string& file, const KeyboardSettings& settings,
                                      const std::string& section = "KeyboardSettings");
    static bool WriteSignalTimes(const std::string& file, float signalDelay, float bounceLock);
    static bool WriteRepeatTimes(const std::string& file, float repeatDelay, float frequency);
    static bool WriteFeedback(const std::string& file, int flashSignal, int beepSignal);

    // Key tables, read at construction from the program settings file.
    void ReadKeyNames(const ini::FileView& settings);
    void ReadLanguage(const ini::FileView& settings);
    void ReadKeyCodeTable();

    // The key grid: cell numbers (column + 16 x row) and inclusive cell rectangles.
    static void CellsToRect(int firstCell, int lastCell, RECT& rect);
    static void RectToCells(const RECT& rect, int& firstCell, int& lastCell);
    // Line breaks of a block text and their stored form, the two characters '\' 'n'.
    static void EscapeNewlines(std::string& text, EscapeDirection direction);

    // Overlay files: "%s\%s\%s.ini" on the set folder, the set name and the overlay name.
    std::string OverlayPath(const std::string& setName, const std::string& overlayName) const;
    // Writes the overlay whole through a temporary file in the set's folder that then replaces the
    // file there. The name loses what CleanName takes away (in place).
    // The set register gets its entry only once the file is written; the templates set gets none.
    // An earlier file that does not read whole is kept beside the new one as "<file>.bak". target
    // says what may stand under the name (see SaveTarget); a new template needs room in its set.
    int SaveOverlay(std::string& name, int number, const std::string& setName, const std::vector<Block>& keys,
                    const std::vector<Block>& background, const KeyboardSettings& settings,
                    UnstorableValue* unstorable = nullptr, SaveTarget target = SaveTarget::kEither);
    // Appends the section's header line, then its Block lines and its Layout lines, each ending in CR LF.
    static void WriteBlockSection(std::string& file, const std::string& header, const std::vector<Block>& blocks);
    // Reads an overlay file. A file that cannot be opened leaves the settings as the caller set them.
    int LoadOverlay(const std::string& path, std::vector<Block>& keys, std::vector<Block>& background,
                    KeyboardSettings& settings, std::string* versionLine = nullptr);
    // Reads the section under the header line (as "[Data]") from the lines of an overlay file, merging
    // lines of one number into one block and resolving picture codes. Returns the number of lines
    // that could not be read.
    int ReadBlockSection(const std::vector<std::string>& lines, const std::string& header, std::vector<Block>& blocks,
                         std::string* versionLine = nullptr);
    // What an overlay's list line shows of its file: [Version] AccessKvora and whether its keys are sent
    // for games. Both 0 when the file cannot be read.
    struct OverlayMarks {
        int accessKvora = 0;
        int gameSendType = 0;
    };
    OverlayMarks ReadOverlayMarks(const std::string& overlayName, const std::string& setName) const;
    // [Version] AccessKvora of the overlay file.
    int GetAccessKvoraFlag(const std::string& overlayName, const std::string& setName) const;
    // Sets it in the file as it stands; false when the file cannot be read or written.
    bool SetAccessKvoraFlag(const std::string& overlayName, const std::string& setName, int flag);
    // 1 when the overlay's keys are sent for games ([KeyboardSettings] SendType "Game"); 0 otherwise.
    int IsGameSendType(const std::string& overlayName, const std::string& setName) const;
    // Whether an overlay file can hold the value as it stands and read it back the same, for the
    // dialogs to refuse what it cannot where it is entered: a command, picture or font name without
    // line breaks, a picture or font name without a comma, a text without the characters '\' 'n'.
    static bool IsStorable(BlockField field, const std::string& value);
    // The first value of the block that the file cannot hold (its cells included), or None.
    static BlockField FindUnstorableField(const Block& block);

    // --- The set store: one folder per set, its register and its overlay files ---
    // Nothing is cached: every call works on the disk as it finds it. None shows a message; each
    // reports by its result and the caller talks to the user. Where a file operation and the register
    // change together, the file goes first and the register follows only when it went through.
    static constexpr int kMessageToDriver = WM_USER + 114;

    std::string SetFolderPath(const std::string& setName) const;   // "%s\%s" on the set folder
    // The set's import folder "%s\%s\import": the media of overlays imported from zip files.
    std::string SetImportFolderPath(const std::string& setName) const;
    std::string SetRegisterPath(const std::string& setName) const; // the set's "register.txt"
    // The special sets by their configured names (see SetKind.h).
    SpecialSetNames SpecialNames() const;
    SetKind KindOfSet(const std::string& setName) const;
    bool IsTemplatesSet(const std::string& setName) const;
    // The one rule for the names of sets and overlays, which become folder and file names that must
    // stay inside the set folder: not empty; none of the characters \ / * ? " < > | , : nor a
    // control character; not "." or ".."; no blank or dot at the end; not a device name
    // (fw::IsDeviceName), with or without an extension. Every store operation checks its names with it.
    static bool IsValidName(const std::string& name);
    // The name without the characters the rule forbids, without blanks at either end or dots at its
    // end. What is left may still fail the rule (empty, or a device name).
    static std::string CleanName(const std::string& name);

    // A folder whose name the rule refuses is no set the store offers.
    void ListSets(std::vector<SetItem>& sets) const;
    // What a set's register is: absent, readable, or there but not readable, and why (another program
    // holds it, no permission to read it, another text form, or not read whole for another cause). A
    // register that is there but not readable lists no overlays and takes no change.
    enum class RegisterState { kAbsent, kReadable, kLocked, kNoPermission, kOtherForm, kNotReadWhole };
    RegisterState ReadRegisterState(const std::string& setName) const;
    // A register entry that does not name a valid overlay name, or whose file is not in the set's
    // folder, counts as missing; so does a file whose name the rule refuses.
    void ListOverlays(const std::string& setName, std::vector<SetItem>& overlays);
    // Writes the register whole through the store's write-then-replace writer.
    // A register line's number: the text before the '=' as an integer, 0 when it is none or lies
    // beyond what any register holds.
    static int RegisterNumber(const std::string& text);
    static bool WriteSetFile(const std::string& registerPath, const std::vector<SetItem>& overlays,
                             const KeyboardSettings& settings);
    bool WriteOverlayList(const std::string& setName, const std::vector<SetItem>& overlays);
    // A set that is there already keeps its register and settings as they are, and counts as made.
    bool CreateSet(const std::string& setName);
    bool CopySetFolder(const std::string& sourceName, const std::string& targetName);
    // kDonePartly lists the overlays whose paths could not follow the set's new name.
    CarryResult RenameSet(const std::string& oldName, const std::string& newName);
    // Neither renames nor deletes a set whose folder holds one of the program's folders.
    bool DeleteSet(const std::string& setName);
    bool HoldsProgramFolder(const std::string& folder) const;
    // kDonePartly lists the media files the copy or moved overlay still takes from the source set.
    // Neither replaces a file there, nor puts a template in a templates set that lists no more.
    CarryResult CopyOverlay(const std::string& sourceSet, const std::string& sourceName, const std::string& targetSet,
                            const std::string& targetName, int number);
    CarryResult CopyOverlayNewName(const std::string& sourceSet, const std::string& sourceName,
                                   const std::string& targetSet, std::string& targetName, int number);
    CarryResult MoveOverlay(const std::string& sourceSet, const std::string& sourceName, int oldNumber,
                            const std::string& targetSet, const std::string& targetName, int newNumber);
    bool RenameOverlay(const std::string& setName, const std::string& oldName, const std::string& newName, int number);
    bool DeleteOverlay(const std::string& setName, const std::string& name, int number);
    // The number stays when it is free and in the set's range (101-127 in the standard-overlay set,
    // else 1-100); otherwise the first free number of the range is taken.
    bool PlaceOverlayFile(const std::string& file, const std::string& setName, const std::string& name, int& number,
                          std::string& placedName);
    // Whether the templates set lists fewer templates than it can.
    bool TemplatesHaveRoom();
    void SetCurrentSetFlag(const std::string& oldSet, const std::string& newSet);
    // 1 posted, 0 not the USB model, -1 the driver program's window is not there.
    int NotifyDriver() const;

    // --- Media of overlays between sets, and folder prefixes in overlay paths ---
    // After an overlay file came into another set: the media it keeps in the source set's import
    // folder are copied into the target set's, and its paths follow them. The result lists the media
    // files (their paths in the source set) whose references still lead there: those that could not
    // be copied, and all of them when the overlay could not be saved.
    std::vector<std::string> ImportOverlay(const std::string& sourceSet, const std::string& targetSet,
                                           const std::string& overlayName, int number);
    // What ImportBlockMedia did with the media it found in the source folder.
    struct MediaCarry {
        std::vector<std::string> carried; // copied, and the reference follows the copy
        std::vector<std::string> failed;  // could not be copied: the reference stays
    };
    // The references of one block: files in the source folder are copied into the target folder
    // (made when the first file goes into it) and the paths follow them; changed is set when a path changed.
    // False when a file could not be copied: its path then stays as it was.
    bool ImportBlockMedia(Block& block, const std::string& sourceFolder, const std::string& targetFolder, int& changed,
                          MediaCarry* report = nullptr);
    // The delimiter of the content strings in block commands: the first character of [Defaults]
    // Prefix, or '@' without one.
    char ContentDelimiter() const;
    // Saves an overlay that this store changed on the user's behalf, with its AccessKvora flag.
    bool SaveKeepingFlag(const std::string& overlayName, int number, const std::string& setName,
                         const std::vector<Block>& keys, const std::vector<Block>& background,
                         const KeyboardSettings& settings);
    // Offers every media path that blocks store as a path to the rewrite: each block's picture unless
    // it comes from an image base by its code, then the file paths in its command (picture codes and
    // CD tracks never). keepLong is set for background pictures, which keep their long names. The
    // rewrite returns true when it changed the path; commands change only in the paths' text. The
    // number of blocks changed.
    using PathRewrite = std::function<bool(std::string& path, bool keepLong)>;
    int RewriteBlockPaths(std::vector<Block>& keys, std::vector<Block>& background, const PathRewrite& rewrite) const;
    // The same on one overlay file, saved only when something changed. False when the file cannot be
    // read, or a change could not be saved (an overlay that did not read whole is never saved).
    bool RewriteOverlayPaths(const std::string& setName, const std::string& overlayName, int number,
                             const PathRewrite& rewrite);
    // Replaces the folder prefix in every path of one overlay; saves it only when something changed.
    bool ReplaceOverlayPaths(const std::string& setName, const std::string& overlayName, int number,
                             const std::string& oldPrefix, const std::string& newPrefix, int shortPaths);
    // 1 when the path lay in the old folder (itself or below it) and now lies in the new one, else 0.
    static int ReplacePathPrefix(std::string& path, const std::string& oldPrefix, const std::string& newPrefix,
                                 int shortPath);

    // --- Sets of the older format: one "set???.ini" per set in the folder kvora.ini names ---
    // [Directories] Setinfo of kvora.ini in the Windows folder; empty when there are no old sets.
    std::string OldSetFolder() const;
    // "%s\set%03d.ini" in the old folder.
    std::string OldSetPath(int number) const;
    // Each old set: its [Set] ID as name, the three digits of its file name as number.
    void ListOldSets(std::vector<SetItem>& sets) const;
    // The overlays of an old set file, in file order, with names that can be file names and that
    // differ from each other (ignoring case).
    static void ListOldOverlays(const std::string& oldFile, std::vector<SetItem>& overlays);
    // The name a new set made from an old one gets: the old name without the characters a set name
    // cannot hold, or the old file's title when nothing is left.
    static std::string OldSetName(const SetItem& oldSet);
    // The blocks and the six keyboard settings of one overlay section of an old set file.
    void ReadOldOverlay(const std::string& oldFile, int number, std::vector<Block>& blocks,
                        KeyboardSettings& settings);
    // Picture paths, and with contentPaths the paths in content commands, in their long form.
    void ConvertOldPaths(std::vector<Block>& blocks, int longPaths, int contentPaths);
    // A new set of the given name with every overlay of the old set file. False when the set could
    // not be made or an overlay could not be written whole.
    bool ConvertOldSet(const std::string& oldFile, const std::string& newSetName);

    // --- The set compiler: a set as the byte image that a PS/2 or AccessKvora keyboard keeps ---
    // Puts the sync bytes, then every overlay of the set in its register's order, then the standard
    // overlays 101-127, into the image; the serial link that owns the image adds the trailer and sends
    // it. kind is the keyboard model (kModelPS2 or kModelAccessKvora): only the AccessKvora model has
    // infrared codes and text macros. An empty set name leaves the image as it is. A result that is not
    // Compiled() names the overlay the image cannot hold: the image is then incomplete, and neither it
    // nor the text macros may go out.
    SetCompileResult CompileSet(const std::string& setName, SetImage& image, int kind);
    // Whether the image can hold these key blocks: at most 127 blocks of at most 127 ranges each,
    // every range inside the grid. The result names no overlay.
    static SetCompileResult CheckKeyBlocks(const std::vector<Block>& keys);
    // The 7-byte head of an overlay: its number, block count, key timing and feedback.
    static void AppendOverlayHeader(int number, int blockCount, const KeyboardSettings& settings, SetImage& image);
    // One block record: repeat flag, cell ranges and the command's bytes. The block must pass
    // CheckKeyBlocks. The number of the first "<IRn>" tag that gave no code; -1 when none did.
    int AppendBlock(const Block& block, SetImage& image);
    // The key bytes that type the character: its row of the key-code table up to the first 0.
    void AppendKeyCodes(char character, std::vector<std::uint8_t>& bytes) const;
    // One tag word as one key byte; 0 for a word that names no key.
    std::uint8_t KeyNameToCode(const std::string& word) const;
    // The infrared item of an "<IR%d>" tag; empty for slot 0 or a slot without a code. seen and
    // pending carry the rule for the value 254 (sent while the key is held) through one block.
    void FormatIrCode(int slot, std::string& text, int& seen, int& pending) const;

    // --- Text macros of the AccessKvora model: long texts the Zenthor program types for the keyboard ---
    // At the start of every AccessKvora compile: the start sequence from zenthor.ini, the first macro
    // identifier and the infrared codes; sets or clears the Zenthor flag.
    void InitTextHelper();
    // The bytes a run of plain text of a block command compiles to: its characters key by key, or the
    // start sequence and the identifier of a new macro that holds the text.
    std::vector<std::uint8_t> StoreTextMacro(const std::string& run);
    // A PC scan code of set 1 (0x100 + code after the E0 prefix) as the keyboard's key number; -1 for none.
    static int ScanCodeToKeyNumber(int scanCode);
    // The [Paths] entries of the last compile wait in memory until the keyboard holds the set, so that
    // zenthor.ini always describes what the keyboard types: the load dialog calls this once the
    // keyboard has confirmed the load, before it tells the Zenthor program that the file changed. A
    // compile that is not sent, or a load that fails, leaves the file as it was. False when the file
    // could not be written (it is then as it was, and the entries stay waiting).
    bool WriteTextMacros();
    // zenthor.ini in the Windows folder, which the Zenthor program reads.
    std::string ZenthorIniPath() const;

    std::string windowsSettingsFile_;   // "%s\skarpin.ini" in the Windows folder
    std::string programSettingsFile_;   // "%s\%s.ini" in the program folder, by the variant name
    std::string imageBaseSettingsFile_; // "%s\imgbase.%s.ini" in the Windows folder, else the program settings file
    std::string keyCodeTableFile_;      // "%s\%s.key" in the program folder, by the variant name
    std::string driverName_;            // caption and first part of the file name of the USB driver program
    std::string variantName_;
    std::string applicationName_;       // the program's name as the system gives it (the variant comes from it)
    std::string caption_;               // the main window's caption, copied in when it opens
    std::string programFolder_;
    std::string setFolder_;             // holds one folder per set
    std::string registerFileName_;
    std::string overlayListSection_;
    std::string overlayFileExtension_;
    std::string keySection_;
    std::string backgroundSection_;
    std::string autoSoundFolder_;
    std::string autoIconFolder_;
    std::string autoImageFolder_;
    std::string exportFolder_;
    std::string importFolder_;
    std::string standardOverlaySetName_;
    std::string templatesSetName_;
    int showStandardOverlays_ = 0;
    int showTemplates_ = 0;
    int showTemplateDlg_ = 1;
    std::array<std::string, kKeyNameCount> keyNames_;
    std::array<LanguageKey, kLanguageKeyCount> languageKeys_;
    std::array<int, kAltGrKeyCount> altGrKeys_{};
    // Row r: the keyboard's key bytes that type the character with code r, ended by the first 0.
    std::array<std::array<int, kKeyCodeColumns>, kKeyCodeRows> keyCodeTable_{};
    std::array<std::string, 4> startStrings_;
    std::string defaultStartString_;    // the start string that [KvoraStart] DefaultStart chooses
    std::string endString_;
    AutoCommandSettings autoCommand_;
    std::vector<std::string> videoExtensions_;
    std::string fileVersion_;
    std::string fileDate_;              // last change of the program file, "%Y-%m-%d"
    ImageBaseManager imageBases_;
    // Working state of the set compiler while it compiles for the AccessKvora model.
    std::string zenthorIniName_;
    std::string startCodes_;            // key numbers of the three keys that start a text macro
    std::string startCharacters_;       // the first start key's character, its shifted one, and the small
                                        // letter of a letter key
    std::string nextMacroId_;
    int zenthorFlag_ = 0;               // infrared codes and text macros allowed
    int compileModel_ = kModelPS2;      // the model the set compiles for
    IrCodeTable irCodes_;
    int irCodesRead_ = IrCodeTable::kFileNotOpen;  // what loading irCodes_ came to
    // [Paths] entries of zenthor.ini in the order the compile made them, until WriteTextMacros.
    std::vector<std::pair<std::string, std::string>> pendingMacros_;
    std::vector<MouseClickReference> clickReferences_;

private:
    // Lines of a section's text left after its end: damaged for the store, which keeps such a file
    // beside a new save; ignored by the set compiler, which sends the blocks the store shows.
    enum class LinesPastEnd { kDamaged, kIgnored };
    // ReadBlockSection. basesLoaded tells whether the image bases were read again for this file
    // already; null leaves the picture field as it stands, for a check that reads no image base.
    int ReadSection(const std::vector<std::string>& lines, const std::string& header, std::vector<Block>& blocks,
                    std::string* versionLine, bool* basesLoaded, LinesPastEnd pastEnd = LinesPastEnd::kDamaged);
    void ResolvePicture(Block& record, float version, bool& basesLoaded);
    // The steps of ReadSection.
    static size_t FindSectionStart(const std::vector<std::string>& lines, const std::string& header, float& version,
                                   std::string* versionLine);
    static bool MergeBlockLine(const std::string& line, std::vector<Block>& blocks);
    int MergeLayoutLine(const std::string& line, std::vector<Block>& blocks, float version, bool* basesLoaded);
    static int JoinSplitText(const std::vector<std::string>& lines, size_t& i, std::string& text);
    static int CountUnreadLines(const std::vector<std::string>& lines, size_t end, const std::string& header);
    // Both block sections of an overlay file, and how many of its lines could not be read: the
    // damaged lines of each section and the block lines that stand under no header of the exact
    // spelling the reader looks for ("[data]", "[Data] " or none at all).
    int ReadBothSections(const std::vector<std::string>& lines, std::vector<Block>& keys, std::vector<Block>& background,
                         std::string* versionLine, bool* basesLoaded);
    int CountStrayBlockLines(const std::vector<std::string>& lines) const;
    // The keyboard settings as keys of the section, in the order the overlay file and the register hold them.
    static void PutKeyboardSettings(IniText& text, const KeyboardSettings& settings, const std::string& section);
    // The overlay file's bytes: absent, whole, or unreadable also when they are in another text form
    // or hold text but no section an overlay has.
    fw::FileRead ReadOverlayFile(const std::string& path, std::string& content) const;
    // Whether an overlay file there now reads whole, or is not there at all: a file that is there but
    // cannot be read does not.
    bool ReadsWhole(const std::string& path);
    // The key blocks and the keyboard settings of an overlay file as the set compiler needs them: no
    // picture is looked up. The number of key lines inside the section that could not be read, or -1
    // when the file could not be read at all.
    int LoadKeyBlocks(const std::string& path, std::vector<Block>& keys, KeyboardSettings& settings);
    // One overlay into the image: its file read, checked, and its header, blocks and end byte appended.
    SetCompileResult CompileOverlay(const std::string& setName, const std::string& overlayName, int number,
                                    const KeyboardSettings* setSettings, SetImage& image);
    // The steps of ListOverlays: the register's entries in the range, the overlay files no entry
    // names, and the register written again with what was found.
    bool ReadRegisterEntries(const std::string& setName, int first, int last, std::vector<SetItem>& overlays) const;
    bool AppendUnregisteredFiles(const std::string& setName, int first, int last,
                                 std::vector<SetItem>& overlays) const;
    bool RewriteRegister(const std::string& setName, const std::vector<SetItem>& overlays);
    // The register's lines; false when it is not there, cannot be read whole or is in another text form.
    bool ReadRegisterLines(const std::string& setName, std::vector<std::string>& lines) const;
    // One [Overlays] entry of a set's register: its value (empty without one), set, removed.
    std::string RegisterEntry(const std::string& setName, int number) const;
    bool SetRegisterEntry(const std::string& setName, int number, const std::string& name);
    bool RemoveRegisterEntry(const std::string& setName, int number);
    bool MoveRegisterEntry(const std::string& sourceSet, int oldNumber, const std::string& targetSet, int newNumber,
                           const std::string& targetName);
    // After a move whose file could not be put back: each register takes its half of the move as far
    // as it can be written. False when a register does not name what now stands on the disk.
    bool EnterMovedFile(const std::string& sourceSet, const std::string& sourceName, int oldNumber,
                        const std::string& targetSet, int newNumber, const std::string& targetName);
    void ReadProgramVersion(const FileIOEnvironment& environment);
    // The readers of the start: settings is the program settings file, windowsSettings the Windows one.
    void ReadKvoraStart(const ini::FileView& settings);
    void ReadAutoCommand(const ini::FileView& settings);
    void ReadVideoExtensions(const ini::FileView& windowsSettings);
    void LoadImageBases();
    void ReadMouseClickReferences(const ini::FileView& settings);
    void ReadFolderSetting(const ini::FileView& settings, const std::string& key, const std::string& defaultName,
                           std::string& folder);
    void GetFolderSetting(const std::string& key, std::string& folder) const;
};
