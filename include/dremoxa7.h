/* dremoxa7: support library loaded by every tool program of the suite.
 *
 * Flat exports with the callee-cleans (stdcall) convention, exported under
 * their plain names. Every argument takes one 32-bit slot; 16-bit arguments
 * (series code, function number, group, mode) count by their low half only.
 * Every export returns a signed 16-bit result code: the DREMOXA7_* values
 * below, or a code passed through unchanged from a suite library.
 * Usable from C and C++.
 *
 * Threads: the library keeps nothing from one call to the next except what
 * it fixed while loading (its own file and directory), so every export may
 * be called from any thread, also while other calls run. The searches
 * (FindWinTitle, FindWinTitleP, FindFuncWin, QFindFuncWin, FindZorWin,
 * LastAppCheck) and the project queries (StaBarCpuName and the axis
 * queries) are meant for any thread. The exports that act on the desktop
 * (SetActiveZorWin, the jumps, OpenZorHelp, AllExeEnd) are still meant for
 * the tool's user-interface thread: the foreground window, the active
 * window and the clipboard belong to the whole desktop, and two calls
 * racing for them give whichever order the system lets them have. */
#ifndef DREMOXA7_H
#define DREMOXA7_H

#ifdef _WIN32
#include <windows.h>
#define DREMOXA7_API __stdcall
typedef HWND DREMOXA7_WINDOW;
#else
#define DREMOXA7_API
typedef void* DREMOXA7_WINDOW;
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes the library produces itself. */
#define DREMOXA7_OK 0
#define DREMOXA7_OUT_OF_RANGE 4  /* series, function, group or mode out of range */
#define DREMOXA7_NO_EXECUTABLE 6 /* the executable to start does not exist */
#define DREMOXA7_REFUSED (-1)    /* foreground change refused; CPU index out of range */
#define DREMOXA7_NOT_FOUND (-2)  /* no window handle given; file missing */
#define DREMOXA7_UNREADABLE (-3) /* file could not be opened, positioned or read */

/* Capacities of the caller's buffers. */
#define DREMOXA7_TITLE_CAPACITY 350   /* found titles: at most 349 characters */
#define DREMOXA7_FUNCTION_COUNT 48    /* window list of FindZorWin */
#define DREMOXA7_CPU_TEXT_CAPACITY 21 /* status-bar CPU text: at most 20 characters */
#define DREMOXA7_AXIS_TABLE_SIZE 256  /* axis usage table: 32 entries of 8 bytes */

/* Window search by title. The first top-level window in Z-order whose title
 * begins with text (FindWinTitle) or contains it (FindWinTitleP) is stored
 * in windowOut and its title in titleOut (DREMOXA7_TITLE_CAPACITY bytes).
 * Nothing found: null and an empty title. Always returns DREMOXA7_OK. */
short DREMOXA7_API FindWinTitle(const char* text, char* titleOut, DREMOXA7_WINDOW* windowOut);
short DREMOXA7_API FindWinTitleP(const char* text, char* titleOut, DREMOXA7_WINDOW* windowOut);

/* Tools by function number (0..47): the window whose title begins with the
 * prefix that the suite information library gives for the function. */
short DREMOXA7_API FindFuncWin(short series, short function, DREMOXA7_WINDOW* windowOut);
short DREMOXA7_API QFindFuncWin(short series, short function, DREMOXA7_WINDOW* windowOut);

/* Brings a window (or its last active pop-up) to the front and restores it
 * when minimised. DREMOXA7_NOT_FOUND for a null window, DREMOXA7_REFUSED
 * when the foreground change is refused. */
short DREMOXA7_API SetActiveZorWin(DREMOXA7_WINDOW window);

/* Running tools of group 0 or 1: windowsOut receives DREMOXA7_FUNCTION_COUNT
 * handles indexed by function number, countOut how many are not null. */
short DREMOXA7_API FindZorWin(short series, short group, short* countOut,
                              DREMOXA7_WINDOW* windowsOut);

/* isLastOut = 1 when exactly one tool of group 1 runs (the caller). */
short DREMOXA7_API LastAppCheck(short series, short* isLastOut);

/* Jumps to the tool of a function number: when it runs, its window comes
 * to the front; otherwise handoff (null or empty: none; at most 399
 * characters, a longer one is cut) is put on the clipboard and its
 * executable started. DREMOXA7_NO_EXECUTABLE when the executable is
 * missing. QZorFuncJump serves the second controller series, AZorFuncJump
 * the alternative install directory. */
short DREMOXA7_API ZorFuncJump(short series, short function, const char* handoff);
short DREMOXA7_API QZorFuncJump(short series, short function, const char* handoff);
short DREMOXA7_API AZorFuncJump(short series, short function, const char* handoff);

/* The same for the executable directory + exeName + ".exe" (directory ends
 * in a separator) whose window title begins with title. */
short DREMOXA7_API ZorPacJump(const char* directory, const char* exeName, const char* title);

/* Opens helpFile for the active window: mode 0 the contents, mode 1 the
 * topic of keyword. DREMOXA7_OUT_OF_RANGE for other modes; nothing is
 * opened and DREMOXA7_OK returned when the caller has no active window. */
short DREMOXA7_API OpenZorHelp(short mode, const char* helpFile, const char* keyword);

/* Closes every other tool of the suite when it is shut down from the tool
 * of exceptFunction (0..47, the caller's own function, which stays): the
 * running tools of functions 0 to 8 and 11 are brought to the front and
 * asked to close, all at once, and awaited one after the other; function
 * 32 is asked only after they have gone and a pause of 500 ms. Function 11
 * counts only when the suite's work 1 flag is set. Blocks until the tools
 * have gone, looking for each every 500 ms, without a time limit: a tool
 * that never closes keeps the call waiting. Meanwhile it still answers
 * messages that other programs send to the caller's windows. Meant for the
 * tool's user-interface thread. DREMOXA7_OUT_OF_RANGE for a series not
 * 0..15 or a function not 0..47; a suite library's code ends the call at
 * once, with the tools already asked no longer awaited. */
short DREMOXA7_API AllExeEnd(short series, short exceptFunction);

/* Status-bar CPU name. index (only its low 8 bits count, as a signed
 * number; valid 0..17) selects a CPU record of the positioning
 * configuration file in the library's directory; buffer
 * (DREMOXA7_CPU_TEXT_CAPACITY bytes) receives "CPU : " and the record's CPU
 * name centred with spaces to 18 characters, or the fixed CPU text that the
 * version file selects. DREMOXA7_REFUSED for an index out of range;
 * DREMOXA7_NOT_FOUND and DREMOXA7_UNREADABLE when the configuration file is
 * missing or cannot be read, after a message box. buffer is written only on
 * success. */
short DREMOXA7_API StaBarCpuName(short index, char* buffer);

/* Axis usage of a controller project: table (DREMOXA7_AXIS_TABLE_SIZE
 * bytes) receives, for each axis number 1..32, an 8-byte entry: used,
 * source, type code, detail code, mark, extra code, 0, 0. directory ends in
 * a path separator (null counts as empty); UseAxis and QUseAxis read the
 * system file in its Temp subdirectory, UseAxisP and QUseAxisP the one
 * directly in it. cpuType and qualifier go to the CPU specification library.
 * The Q variants serve the second controller series. DREMOXA7_NOT_FOUND
 * when the file is missing, DREMOXA7_UNREADABLE when it cannot be opened
 * (also while another program holds it open) or read; a CPU or code
 * library's code is passed through. table is written only on success. */
short DREMOXA7_API UseAxis(const char* directory, short cpuType, int qualifier,
                           unsigned char* table);
short DREMOXA7_API UseAxisP(const char* directory, short cpuType, int qualifier,
                            unsigned char* table);
short DREMOXA7_API QUseAxis(const char* directory, short cpuType, int qualifier,
                            unsigned char* table);
short DREMOXA7_API QUseAxisP(const char* directory, short cpuType, int qualifier,
                             unsigned char* table);

#ifdef __cplusplus
}
#endif

#endif
