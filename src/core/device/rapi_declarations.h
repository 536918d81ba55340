#pragma once

#include <windows.h>

#include "device/remote_api.h"

// The functions of rapi.dll, the Windows CE Remote API of the desktop's device connection
// software (Windows Mobile Device Center), that the desktop calls, declared here from the
// published reference of that API. The dll is loaded when the handheld is first needed
// (RapiLibrary), so that a desktop without it still runs every command that does not
// reach the handheld. WINAPI (__stdcall) stays in every declaration: 64-bit Windows
// ignores it, and a 32-bit build needs it. Names are UTF-16, handles are the desktop's
// HANDLE, and a search result is an array of CeFindData (CE_FIND_DATA), whose layout
// remote_api.h fixes.
namespace zvk::rapi {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows names are UTF-16");

// RAPIINIT: CeRapiInitEx hands back an event that is set once the link is up or has
// failed, and then the link's result.
struct RapiInit
{
    DWORD cbSize;
    HANDLE heRapiInit;
    HRESULT hrRapiInit;
};

using CeRapiInitExFunction = HRESULT(WINAPI*)(RapiInit* init);
using CeRapiUninitFunction = HRESULT(WINAPI*)();
using CeCreateFileFunction = HANDLE(WINAPI*)(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                                             SECURITY_ATTRIBUTES* security,
                                             DWORD creationDisposition, DWORD flagsAndAttributes,
                                             HANDLE templateFile);
using CeReadFileFunction = BOOL(WINAPI*)(HANDLE file, void* buffer, DWORD bytesToRead,
                                         DWORD* bytesRead, OVERLAPPED* overlapped);
using CeWriteFileFunction = BOOL(WINAPI*)(HANDLE file, const void* buffer, DWORD bytesToWrite,
                                          DWORD* bytesWritten, OVERLAPPED* overlapped);
using CeGetFileSizeFunction = DWORD(WINAPI*)(HANDLE file, DWORD* sizeHigh);
using CeCloseHandleFunction = BOOL(WINAPI*)(HANDLE object);
using CeDeleteFileFunction = BOOL(WINAPI*)(LPCWSTR fileName);
using CeFindAllFilesFunction = BOOL(WINAPI*)(LPCWSTR path, DWORD flags, DWORD* foundCount,
                                             CeFindData** found);
using CeRapiFreeBufferFunction = HRESULT(WINAPI*)(void* buffer);
using CeCreateProcessFunction = BOOL(WINAPI*)(LPCWSTR applicationName, LPCWSTR commandLine,
                                              SECURITY_ATTRIBUTES* processSecurity,
                                              SECURITY_ATTRIBUTES* threadSecurity,
                                              BOOL inheritHandles, DWORD creationFlags,
                                              void* environment, LPWSTR currentDirectory,
                                              STARTUPINFOW* startupInfo,
                                              PROCESS_INFORMATION* processInformation);
// The handheld's own reason for the last failed call, and the link's (S_OK while the
// link itself is sound).
using CeGetLastErrorFunction = DWORD(WINAPI*)();
using CeRapiGetErrorFunction = HRESULT(WINAPI*)();

// Every function the desktop calls, each found in the dll under its exported name.
struct Functions
{
    CeRapiInitExFunction ceRapiInitEx = nullptr;
    CeRapiUninitFunction ceRapiUninit = nullptr;
    CeCreateFileFunction ceCreateFile = nullptr;
    CeReadFileFunction ceReadFile = nullptr;
    CeWriteFileFunction ceWriteFile = nullptr;
    CeGetFileSizeFunction ceGetFileSize = nullptr;
    CeCloseHandleFunction ceCloseHandle = nullptr;
    CeDeleteFileFunction ceDeleteFile = nullptr;
    CeFindAllFilesFunction ceFindAllFiles = nullptr;
    CeRapiFreeBufferFunction ceRapiFreeBuffer = nullptr;
    CeCreateProcessFunction ceCreateProcess = nullptr;
    CeGetLastErrorFunction ceGetLastError = nullptr;
    CeRapiGetErrorFunction ceRapiGetError = nullptr;
};

} // namespace zvk::rapi
