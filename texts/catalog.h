// Every text the system shows to a person or writes for one, in one place.
//
// The texts are Shift-JIS byte strings (the sources are compiled with
// -fexec-charset=CP932): that is how the host, the INI file and the message
// boxes expect them. Windows of our own convert them with code page 932 at
// the window edge; the command-line checker converts them for its terminal.
#pragma once

namespace texts {

// Errors of the Received: line and rule patterns. Each is followed by two
// line feeds and the offending entry between apostrophes (see TextError).
extern const char kNeedTwoGroups[];      // the pattern matched with != 2 groups
extern const char kInvalidRegex[];       // the pattern does not compile
extern const char kInvalidRegexQuoted[]; // printf format: "%s" is no valid pattern

// An error of the receipt filter that is no pattern's.
extern const char kFilterFailed[];

// Settings file.
extern const char kCannotWriteFile[];    // printf format with the path
extern const char kCannotReadFile[];     // the same: the load failed, defaults in force
extern const char kRepairedListCount[];  // the path, then the list's section name

// Plug-in frame.
extern const char kPlugInName[];
extern const char kPlugInVendor[];
extern const char kPlugInVersion[];
extern const char kPlugInDescription[];
extern const char kNotReady[];

// Menu commands: caption and status text.
extern const char kSortSpamCaption[];
extern const char kSortSpamStatus[];
extern const char kCheckSpamCaption[];
extern const char kCheckSpamStatus[];
extern const char kInspectCaption[];
extern const char kInspectStatus[];

// The settings window: its caption (the short name, " v.", the version
// and the tail), the tabs, boxes and captions of its controls, and the
// errors of its close check (printf formats with the entry).
extern const char kPlugInShortName[];
extern const char kSettingsCaptionTail[];
extern const char kTabGeneral[];
extern const char kTabSkip[];
extern const char kTabWhite[];
extern const char kTabBlack[];
extern const char kTabRules[];
extern const char kTabRecvRegex[];
extern const char kGroupSorting[];
extern const char kGroupLookup[];
extern const char kParalysisCaption[];
extern const char kDropTrashCaption[];
extern const char kReverseLookupCaption[];
extern const char kAcceptReceivedHostCaption[];
extern const char kFolderLabel[];
extern const char kTimeOutLabel[];
extern const char kTimeOutUnit[];
extern const char kOkCaption[];
extern const char kCancelCaption[];
extern const char kFolderButtonCaption[];
extern const char kInvalidAddressQuoted[];
// A list line longer than the settings file keeps (its start in the quotes).
extern const char kLineTooLongQuoted[];
// A list line the settings file gives back without its blanks at either
// end (the line in double quotes), or without the quotes that enclose it
// (the line as it is: its own quotes delimit it).
extern const char kLineBlankAtEndQuoted[];
extern const char kLineInQuotesQuoted[];

// The progress window's caption.
extern const char kProgressCaption[];

// The folder chooser's caption, and why it shows nothing without a
// current mailbox.
extern const char kFolderCaption[];
extern const char kFolderNoMailBox[];

// Reports of the sort and check commands (printf formats with the count).
extern const char kSpamFound[];          // check: "%d" messages were spam
extern const char kSpamMoved[];          // sort: "%d" messages were moved
extern const char kNoSpam[];             // either: there was no spam
extern const char kSpamNotMoved[];       // sort: "%d" messages could not be moved
extern const char kSpamNoDestination[];  // sort: "%d" spam, no destination set: none moved
// An error of the commands that is no pattern's.
extern const char kCommandFailed[];

// How the inspector names a relay's verdict.
extern const char kVerdictNormal[];
extern const char kVerdictExcluded[];
extern const char kVerdictWhitelisted[];
extern const char kVerdictBlacklisted[];
extern const char kVerdictLookupFailed[];
extern const char kVerdictRulePrefix[];

// The inspector's window: buttons, column headers, the question before an
// address is added to Skip (printf format with the address), and an error
// of the inspection that is no pattern's.
extern const char kInspectAddButton[];
extern const char kInspectCancelButton[];
extern const char kInspectColumnAddress[];
extern const char kInspectColumnClass[];
extern const char kInspectColumnHost[];
extern const char kInspectAddQuestion[];
extern const char kInspectFailed[];

}  // namespace texts
