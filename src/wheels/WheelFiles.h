#pragma once
// Design files of the wheel windows (undershot "B", breastshot "C", Poncelet "P",
// Sagebien "Sageb" + number): one value per line, in the program folder, listed by
// a wildcard pattern, saved through one dialog:
//  1. SharedFilePath := AppFolder;
//  2. an input box proposes a name; Cancel or an empty answer ends the save silently;
//  3. the name gets ".txt" unless it already ends with it (without regard to case);
//     a name that is not a plain file name is refused with its message, nothing written;
//  4. a name that does not begin with the window's letter is saved after a three-line
//     warning (such a file is not listed by the window);
//  5. an existing file of that name (any case) is replaced only after "Yes" to the
//     overwrite question;
//  6. the lines are written atomically (CR LF, Windows-1252), each as typed, except a
//     text holding a comma (not a number with a decimal comma), which is written between
//     double quotes (its own double quotes becoming single ones) so that it reads back
//     as one value; a failure leaves the old file whole and shows its description;
//  7. a saved name that the window lists is added to its file list at once.
// The first save, when no file of the letter exists yet, follows the same dialog with
// the window's "sansnom" name, so what it writes is listed and reopens.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace aub {

class Control;
class Form;

// The save dialog of one window.
struct DesignSave {
    std::string prompt;       // input box prompt
    std::string title;        // input box title
    std::string proposed;     // default answer
    std::string namePrefix;   // put before the answer ("Sageb" for numbered files), else ""
    std::string letter;       // first letter the window lists ("B"); "" = no check
    std::string listPattern;  // files shown by the window's list ("B*.txt")
};

// Prompt and title of the undershot-family save dialog.
inline constexpr const char* NewFilePrompt = "Enregistrez un nouveau  fichier";
inline constexpr const char* NewFileTitle = "Acceptez le nom de fichier proposé ou Annulez";

// The three-line warning for a name without the window's first letter.
std::string letterWarning(std::string_view letter);

// The overwrite question (overwriteQuestion) is in files/AppFolder.h.

// The stem proposed by the undershot-family dialog: the selected entry of the file list
// without its last four characters ("Bmoulin.txt" -> "Bmoulin"), or `unnamed` when the
// selected text is shorter than 5 characters (nothing selected, empty list).
std::string proposedStem(const Control& list, std::string_view unnamed);

// Fills `list` with the files of the program folder matching `pattern`, sorted.
void listDesigns(Form& form, Control& list, std::string_view pattern);

// Runs the save dialog and writes `lines`. Returns the file name written, or nothing
// when the person cancelled, refused the overwrite or the name was refused.
// File failures throw CalcError (the window's trap shows the description).
std::optional<std::string> saveDesign(Form& form, const DesignSave& save, const std::vector<std::string>& lines,
                                      Control* list);

// Reads the design `fileName` of the program folder (any case) and puts its first
// `count` values into boxes box(0) ... box(count - 1), as texts, without recalculating.
// A value with a decimal comma stays whole ("2,5"). A file with fewer values fills what
// it has, then fails with 62 "L'entrée dépasse la fin de fichier"; a missing file 53.
void openDesign(Form& form, std::string_view fileName, std::string_view box, int count);

// The texts of boxes box(0) ... box(count - 1) are boxTexts, in forms/Form.h.

}  // namespace aub
