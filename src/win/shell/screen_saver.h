// Whether the system screen saver may start. The program turns it off only on
// the user's request and turns it back on only if it was the one that turned
// it off: a user who keeps the screen saver off finds it off after the
// program ends.
#pragma once

// The system's switch; the desktop services are one, tests give their own.
class TScreenSaverSystem {
public:
    virtual ~TScreenSaverSystem() = default;
    virtual bool ScreenSaverActive() = 0;
    virtual void SetScreenSaverActive(bool active) = 0;
};

class TScreenSaverSwitch {
public:
    TScreenSaverSwitch() = default;
    // Whatever is still suspended comes back with the object.
    ~TScreenSaverSwitch();
    TScreenSaverSwitch(const TScreenSaverSwitch&) = delete;
    TScreenSaverSwitch& operator=(const TScreenSaverSwitch&) = delete;

    // Keeps the screen saver from starting. When it was off already there is
    // nothing for Resume to undo.
    void Suspend();
    // Lets it start again if Suspend turned it off; otherwise nothing.
    void Resume();
    // Suspend turned it off and it has not come back yet.
    bool Suspended() const { return FSuspended; }

    // The switch used from now on; null for the system's own API.
    void UseSystem(TScreenSaverSystem* system) { FSystem = system; }

    // The system's own setting.
    static bool SystemActive();

private:
    bool Active() const;
    void SetActive(bool active) const;

    bool FSuspended = false;
    TScreenSaverSystem* FSystem = nullptr;
};
