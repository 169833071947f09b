#pragma once
// Identifiers of the player's own resources. Included by C++ and by player.rc,
// so plain #defines only.

#define MIRVO_QUESTION_PANEL_TEMPLATE 1001
#define MIRVO_HEADER_PANEL_TEMPLATE 1002
#define MIRVO_LINK_CURSOR 1003
#define MIRVO_PLAY_ICON 1004
#define MIRVO_STOP_ICON 1005

// Quiz content written by the authoring tool into a copy of the player.
#define MIRVO_PATCH_TYPE "PATCH"
#define MIRVO_DESCRIPTION_ID 104
#define MIRVO_CODES_ID 105
#define MIRVO_MEDIA_TYPE "IMG"
#define MIRVO_QUESTION_MEDIA_BASE 400    // question n: 400 + n
#define MIRVO_ANSWER_PICTURE_BASE 10400  // question n: 10400 + n
