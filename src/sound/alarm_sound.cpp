#include "sound/sound.h"

#include <algorithm>

#include "sound/mci.h"

// Looking a file up and opening it can take seconds (a disk that must spin
// up, a network share gone offline), and the GUI thread must never wait for
// it. So one thread of its own owns every alarm's device and runs the
// commands in the order they were given: a close never overtakes its open.

enum SoundVerb { kPlay, kClose, kCloseAll };

struct SoundCommand {
    SoundVerb verb;
    unsigned device;
    wchar_t path[kSoundPathSize];
};

// The queue never fills, so no command is ever dropped. A play waits only
// while its sound is on: its stop takes it out. A close is queued only for a
// device whose play the thread has taken, so that play was queued no later
// than the command the thread took last, and its sound was still on when
// that command was queued. So the queue holds at most a play and a close for
// each sound that can be on at once, and the close of all.
const int kQueueSize = 16;
static_assert(kQueueSize >= 2 * kMaxAlarmSounds + 1, "a close always has room");
static SoundCommand queue[kQueueSize];
static int queueFirst;
static int queueLength;
static CRITICAL_SECTION queueLock;
static HANDLE commandsWaiting;
static HANDLE allClosed;
static HANDLE soundThread;
static unsigned lastDevice;
// Sounds played and not yet stopped; the GUI thread's alone.
static int soundsOn;

// Touched by the sound thread alone: the devices it opened and has not
// closed. Each is on, or its close is queued.
const int kDeviceSlots = 2 * kMaxAlarmSounds;
static unsigned openDevices[kDeviceSlots];

// The longest: "open \"<259 characters>\" alias zelbrin4294967295".
const int kSoundCommandSize = 320;

// How long the program's end waits for the devices to close.
const DWORD kCloseAllWaitMs = 300;

static SoundCommand &Queued(int i)
{
    return queue[(queueFirst + i) % kQueueSize];
}

// The caller holds the lock. Its place in the queue, or -1.
static int FindQueued(SoundVerb verb, unsigned device)
{
    for (int i = 0; i < queueLength; ++i) {
        if (Queued(i).verb == verb && Queued(i).device == device)
            return i;
    }
    return -1;
}

// The caller holds the lock; the commands behind it move up.
static void TakeOut(int place)
{
    for (int i = place; i + 1 < queueLength; ++i)
        Queued(i) = Queued(i + 1);
    --queueLength;
}

static bool CloseQueued(unsigned device)
{
    EnterCriticalSection(&queueLock);
    bool queued = FindQueued(kClose, device) >= 0 || FindQueued(kCloseAll, 0) >= 0;
    LeaveCriticalSection(&queueLock);
    return queued;
}

static bool TakeCommand(SoundCommand *command)
{
    EnterCriticalSection(&queueLock);
    bool taken = queueLength > 0;
    if (taken) {
        *command = queue[queueFirst];
        queueFirst = (queueFirst + 1) % kQueueSize;
        --queueLength;
    }
    LeaveCriticalSection(&queueLock);
    return taken;
}

static void SendDeviceCommand(const wchar_t *verb, unsigned device)
{
    wchar_t command[kSoundCommandSize];
    wsprintfW(command, L"%s zelbrin%u", verb, device);
    SendMciCommand(command);
}

// The slot that holds this device, or a free one for device 0.
static unsigned *DeviceSlot(unsigned device)
{
    unsigned *end = openDevices + kDeviceSlots;
    unsigned *found = std::find(openDevices, end, device);
    return found == end ? NULL : found;
}

static void OpenAndPlay(const SoundCommand &command)
{
    unsigned *slot = DeviceSlot(0);
    wchar_t shortPath[kShortPathSize] = L"";
    DWORD length = GetShortPathNameW(command.path, shortPath, kShortPathSize);
    if (!slot || length == 0 || length >= static_cast<DWORD>(kShortPathSize))
        return;  // no such file, or a form too long to hold
    // Quoted: on volumes without 8.3 names the "short" form keeps its blanks.
    wchar_t open[kSoundCommandSize];
    wsprintfW(open, L"open \"%s\" alias zelbrin%u", shortPath, command.device);
    *slot = command.device;
    SendMciCommand(open);
    // Answered while it opened: it must not sound after the answer.
    if (!CloseQueued(command.device))
        SendDeviceCommand(L"play", command.device);
}

static void CloseDevice(unsigned device)
{
    unsigned *slot = DeviceSlot(device);
    if (!slot)
        return;
    SendDeviceCommand(L"close", device);
    *slot = 0;
}

static void RunCommand(const SoundCommand &command)
{
    switch (command.verb) {
    case kPlay:
        OpenAndPlay(command);
        break;
    case kClose:
        CloseDevice(command.device);
        break;
    case kCloseAll:
        SendMciCommand(L"close all");
        std::fill(openDevices, openDevices + kDeviceSlots, 0);
        SetEvent(allClosed);
        break;
    }
}

// Its messages are handled too: a device may need its owner thread's, as a
// window does.
static DWORD WINAPI RunSoundCommands(void *)
{
    for (;;) {
        MsgWaitForMultipleObjects(1, &commandsWaiting, FALSE, INFINITE, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        SoundCommand command;
        while (TakeCommand(&command))
            RunCommand(command);
    }
}

static bool StartSoundThread()
{
    static bool prepared = false;
    if (!prepared) {
        InitializeCriticalSection(&queueLock);
        commandsWaiting = CreateEventW(NULL, FALSE, FALSE, NULL);
        allClosed = CreateEventW(NULL, TRUE, FALSE, NULL);
        prepared = true;
    }
    if (!soundThread && commandsWaiting)
        soundThread = CreateThread(NULL, 0, RunSoundCommands, NULL, 0, NULL);
    return soundThread != NULL;
}

static void SetCommand(SoundCommand *command, SoundVerb verb, unsigned device, const wchar_t *path)
{
    command->verb = verb;
    command->device = device;
    lstrcpynW(command->path, path, kSoundPathSize);
}

static void Queue(SoundVerb verb, unsigned device, const wchar_t *path)
{
    if (!StartSoundThread()) {
        // No thread to be had: late on this one rather than silent.
        SoundCommand command;
        SetCommand(&command, verb, device, path);
        RunCommand(command);
        return;
    }
    EnterCriticalSection(&queueLock);
    SetCommand(&Queued(queueLength), verb, device, path);
    ++queueLength;
    LeaveCriticalSection(&queueLock);
    SetEvent(commandsWaiting);
}

void PlayAlarmSound(const wchar_t *path, AlarmSound *sound)
{
    sound->device = 0;
    if (soundsOn == kMaxAlarmSounds)
        return;
    ++soundsOn;
    sound->device = ++lastDevice;
    Queue(kPlay, sound->device, path);
}

// A play still waiting leaves the queue: nothing of it reaches the device.
void StopAlarmSound(const AlarmSound *sound)
{
    if (sound->device == 0)
        return;
    --soundsOn;
    EnterCriticalSection(&queueLock);
    int play = FindQueued(kPlay, sound->device);
    if (play >= 0)
        TakeOut(play);
    LeaveCriticalSection(&queueLock);
    if (play < 0)
        Queue(kClose, sound->device, L"");
}

void StopAllAlarmSounds()
{
    if (!soundThread)
        return;
    Queue(kCloseAll, 0, L"");
    WaitForSingleObject(allClosed, kCloseAllWaitMs);
}
