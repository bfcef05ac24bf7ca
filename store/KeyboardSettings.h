// The keyboard settings of one set or one overlay: key timing, feedback, mouse keys and send type.
#pragma once

// A plain value record. Times are seconds with one decimal.
struct KeyboardSettings {
    float repeatDelay_ = 1.0f;
    float frequency_ = 0.7f;
    float signalDelay_ = 0.0f;
    float bounceLock_ = 0.0f;
    int flashSignal_ = 1;
    int beepSignal_ = 1;
    int mouseKeyTopSpeed_ = 20;
    int mouseKeyAcceleration_ = 100;
    int mouseCursorStep_ = 1;
    int sendType_ = 0; // 0 "API", 1 "Game"

    // Two settings are the same for the keyboard when their times and signals are: the mouse keys and
    // the send type do not take part.
    bool operator==(const KeyboardSettings& other) const
    {
        return repeatDelay_ == other.repeatDelay_ && frequency_ == other.frequency_
               && signalDelay_ == other.signalDelay_ && bounceLock_ == other.bounceLock_
               && flashSignal_ == other.flashSignal_ && beepSignal_ == other.beepSignal_;
    }
    bool operator!=(const KeyboardSettings& other) const { return !(*this == other); }
};
