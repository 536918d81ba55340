# What of the tests the Windows build leaves out, each with its reason: the one place
# that says so. Everything else runs under Wine, under a Slovak and under a C locale.

# Not built for Windows at all: reports_office_test (tests/core/reports) converts the
# documents with this machine's LibreOffice and poppler; the link soak (tests/soak) stops
# zvk with POSIX signals.
#
# The Qt tests skip two cases themselves (QSKIP, with the reason): the folders of a drive and
# a caption's values in Slovak order, where the system cannot sort by the Slovak rules (Qt
# without ICU asks Windows; Wine follows them only under a Slovak locale), and the folder
# chooser over folders nobody may read (permission bits).

# Sources not built for Windows (paths under tests/).
set(ZVK_POSIX_ONLY_TEST_SOURCES
    # SIGINT, SIGTERM and SIGSTOP sent to zvk, FIFOs, POSIX file modes
    cli/stop_signals_test.cpp
    # SIGINT, SIGTERM and SIGHUP sent to zvkpc: Windows ends a window program by messages to
    # its window, not by signals
    gui/zvkpc_signals_test.cpp
    # runs the corpus generator through the POSIX shell and waitpid
    bench/corpus_test.cpp
)

# Tests built for Windows but not run there (GoogleTest names).
set(ZVK_WINE_SKIPPED_TESTS
    # A full disk is made with a file-size limit (setrlimit) or a tmpfs mount: Windows
    # has neither.
    AtomicFileTest.WriteErrorIsReportedAndNothingReplaced
    DocumentOutputTest.AnUnfinishedDocumentLeavesTheEarlierFile
    ReceiveListsWorkerTest.FullDiskLeavesTheListOnTheHandheldAndNoPartialFile
    BadInputTourTest.*FullDisk*
    # A file nobody may read and a folder that takes no new files are made with
    # permission bits: Windows has none (a folder's read-only mark keeps no file out),
    # and Wine enforces no access lists.
    TextImportFileTest.UnwritableFolderLeavesNothingBehind
    SemicolonFileTest.UnwritableFolderLeavesNoPartialText
    ProfileStringsTest.RefusesFilesAndFoldersWithoutPermission
    DeviceConfigurationTest.ASaveThatCannotBeWrittenLeavesTheFileAsItWas
    ReceiveListsWorkerTest.AFolderThatTakesNoNewFilesIsNamedAndTheListStays
    BadInputTourTest.EveryCommandNamesAFileItMayNotRead
    BadInputTourTest.EveryCommandNamesAReadOnlyFolderItCannotWriteInto
    # Symbolic links need a privilege on Windows that a test cannot count on, and the C++
    # runtime of mingw-w64 makes none.
    AtomicFileTest.SymbolicLinkIsReplacedAndItsTargetLeftAlone
    DocumentOutputTest.ALinkAsOutputIsReplacedAndItsTargetLeftAlone
    MakeReportTest.AListThatLinksToTheOutputIsRefused
    FileNamesInTest.NamesFilesAndLinksToFilesButNoFolders
    DeviceConfigurationTest.ALinkedConfigurationIsSavedWhereItLies
    # Its names are near 255 characters: beside the test's folder, the whole path passes
    # the 260 characters Windows allows without long paths.
    AtomicFileTest.ANameThatFitsHasATemporaryNameThatFits
    # An open file cannot be removed there: the next writer's sweep removes it.
    AtomicFileTest.ClaimedTemporaryFilesAreRemovedForAnEndAtOnce
    # A list named as a device (AUX.DAT) cannot be made through Windows' file functions
    # to begin with: the export that cannot write such a name is tested with a folder in
    # its way (AListTheExportCouldNotWriteIsFoundAndNamed), the rule against the in-memory
    # handheld.
    ReceiveFromEmulatorTest.ListsNamedAsWindowsDevicesStayOnTheHandheldAndAreNamed
    TransferCommandsTest.AListNamedAsAWindowsDeviceIsNamedAndTheExitIsNonZero
    # File names of bytes that are not UTF-8 exist only where names are bytes: Windows
    # names are UTF-16.
    Windows1250Test.FileNamesThatAreNoUtf8AreReadInTheCodePage
    HandheldEmulatorTest.NamesInTheHandheldsCodePageAreFoundOpenedAndDeleted
    ReceiveFromEmulatorTest.ListNamedInTheHandheldsCodePageArrivesUnderItsLetters
    # ... and so do "A.DAT" and "A.dat" as two files (zvk convert's test of the same list
    # by two spellings runs there).
    ReceiveFromEmulatorTest.TwoListsOfOneDesktopNameNeverReplaceEachOther
    TransferCommandsTest.SendListReadsANameInTheHandheldsCodePage
    # Run zvk through the POSIX shell (quoting, redirection to /dev/null, a stand-in
    # xdg-open script found along PATH).
    CliTest.ExecutableReportsFailureThroughItsExitStatus
    NoteCommandTest.OpenShowsTheDocumentInTheDesktopsViewer
)
