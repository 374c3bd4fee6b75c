// A DirectSound device made as a game makes it (COM, Initialize, a normal
// cooperative level), released at the end of each test, which must find
// every buffer already released: the device's last reference is the test's.
#ifndef VANTREL_TESTS_PLATFORM_SOUND_DEVICE_FIXTURE_H
#define VANTREL_TESTS_PLATFORM_SOUND_DEVICE_FIXTURE_H

#include <vantrel/win32/dsound.h>

#include <gtest/gtest.h>

class SoundDeviceFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        void* object = nullptr;
        ASSERT_EQ(CoCreateInstance(CLSID_DirectSound, nullptr, CLSCTX_ALL, IID_IDirectSound, &object), S_OK);
        device = static_cast<IDirectSound*>(object);
        ASSERT_EQ(device->Initialize(nullptr), DS_OK);
        ASSERT_EQ(device->SetCooperativeLevel(reinterpret_cast<HWND>(1), DSSCL_NORMAL), DS_OK);
    }
    void TearDown() override
    {
        if (device) {
            EXPECT_EQ(device->Release(), 0u);
        }
    }

    IDirectSound* device = nullptr;
};

#endif
