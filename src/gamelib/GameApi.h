// Everything a game may call, in one include: the game library's screen, timing, input, images and
// animations, texts, sound, the in-game menu with its flow and stores, with the core classes they take and
// give. A game's source says `using namespace gamelib::api;` once instead of naming each class; the calls
// themselves are listed in docs/game-api.md.
#pragma once

#include "core/lang/DExceptionBase.h"
#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "core/lang/DintArray.h"
#include "core/lang/DintArray2d.h"
#include "gamelib/Animation.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameInterface.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ImageFont.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/Score.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"

namespace gamelib::api {

using gamelib::addPoints;
using gamelib::Animation;
using gamelib::AnimationArray;
using gamelib::AnimationArrayPtr;
using gamelib::AnimationPtr;
using gamelib::CustomControls;
using gamelib::GameImage;
using gamelib::GameImageArray;
using gamelib::GameImageArray2d;
using gamelib::GameImageArray2dPtr;
using gamelib::GameImageArrayPtr;
using gamelib::GameImagePtr;
using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::GameMenuPtr;
using gamelib::HelpLayout;
using gamelib::HighestLevel;
using gamelib::ImageFont;
using gamelib::ImageFontPtr;
using gamelib::kHighestScore;
using gamelib::MenuEntry;
using gamelib::MenuEntryKeys;
using gamelib::MenuFlow;
using gamelib::MenuHooks;
using gamelib::MenuPage;
using gamelib::MenuPageNumber;
using gamelib::MenuPages;
using gamelib::MenuStyle;
using gamelib::MenuWords;
using gamelib::numberOfPage;
using gamelib::ownPage;
using gamelib::pageOfNumber;
using gamelib::PauseSign;
using gamelib::ResourceDamage;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gamelib::TextTable;
namespace GameAction = gamelib::GameAction;
namespace FrameworkKey = gamelib::FrameworkKey;

using nuv::lang::DExceptionBase;
using nuv::lang::DintArray;
using nuv::lang::DintArray2d;
using nuv::lang::DintArray2dPtr;
using nuv::lang::DintArrayPtr;
using nuv::lang::DString;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
using nuv::lang::DSystem;
namespace ExceptionCode = nuv::lang::ExceptionCode;

using nuv::microedition::lcdui::DGraphics;
using nuv::microedition::lcdui::DGraphicsPtr;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;

}  // namespace gamelib::api
