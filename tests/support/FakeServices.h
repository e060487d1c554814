#pragma once

#include "FakeKeySender.h"
#include "FakeProcessStarter.h"
#include "FakeRecognizer.h"
#include "FakeSelectionReader.h"
#include "FakeShellOpener.h"
#include "FakeSynthesizer.h"
#include "FakeTrayIcon.h"
#include "FakeWindowActivator.h"
#include "Program.h"

// The program's services as doubles, kept reachable after the program has taken them.
struct FakeServices {
    FakeRecognizer *reco = nullptr;
    FakeSynthesizer *mun = nullptr;
    FakeKeySender *keys = nullptr;
    FakeSelectionReader *selection = nullptr;
    FakeShellOpener *opener = nullptr;
    FakeProcessStarter *starter = nullptr;
    FakeWindowActivator *windows = nullptr;
    FakeTrayIcon *tray = nullptr;

    Program::Services make()
    {
        Program::Services services;
        services.recognizer = own(reco);
        services.synthesizer = own(mun);
        services.keys = own(keys);
        services.selection = own(selection);
        services.opener = own(opener);
        services.starter = own(starter);
        services.windows = own(windows);
        services.tray = own(tray);
        return services;
    }

private:
    template <typename T>
    static std::unique_ptr<T> own(T *&raw)
    {
        auto made = std::make_unique<T>();
        raw = made.get();
        return made;
    }
};
