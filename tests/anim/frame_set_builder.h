// Frame sets labelled slot by slot, for the Sprite and Tile tests: each
// slot lends the same dummy image, so nothing needs an owner or an archive.
#ifndef VANTREL_TESTS_ANIM_FRAME_SET_BUILDER_H
#define VANTREL_TESTS_ANIM_FRAME_SET_BUILDER_H

#include <vantrel/animation.h>
#include <vantrel/rlefx.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

class LabelledSet {
public:
    // One slot per (action, direction) pair, in order.
    explicit LabelledSet(std::initializer_list<std::pair<unsigned short, unsigned short>> labels)
    {
        EXPECT_TRUE(set.create(static_cast<unsigned short>(labels.size())));
        for (const auto& [action, direction] : labels)
            EXPECT_TRUE(set.blt(&image, action, direction, 0, 0));
    }
    ~LabelledSet() { set.release(); }
    LabelledSet(const LabelledSet&) = delete;
    LabelledSet& operator=(const LabelledSet&) = delete;

    ANIMATIONFX set{};
    RLEFX image{};
};

#endif
