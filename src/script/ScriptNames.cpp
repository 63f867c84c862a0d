#include "script/ScriptNames.h"

namespace scriptnames {

const SScriptName kLayers[7] = {
    {"BG", "背景"},        {"PERSON1", "人物１"}, {"PERSON2", "人物２"}, {"PERSON3", "人物３"},
    {"PERSON4", "人物４"}, {"PERSON5", "人物５"}, {"PERSON6", "人物６"},
};

const SScriptName kTransitions[20] = {
    {"NONE", "なし"},
    {"FADE", "フェード"},
    {"MOVE_LEFT", "飛び出し　左"},
    {"MOVE_RIGHT", "飛び出し　右"},
    {"TRAIL_LEFT", "残像付き移動　左"},
    {"TRAIL_RIGHT", "残像付き移動　右"},
    {"SCALE_UP", "縮小　上"},
    {"SCALE_DOWN", "縮小　下"},
    {"SCALE_LEFT", "縮小　左"},
    {"SCALE_RIGHT", "縮小　右"},
    {"SCROLL_UP", "スクロール　上"},
    {"SCROLL_DOWN", "スクロール　下"},
    {"SCROLL_LEFT", "スクロール　左"},
    {"SCROLL_RIGHT", "スクロール　右"},
    {"BLIND_UP", "ブラインド　上"},
    {"BLIND_DOWN", "ブラインド　下"},
    {"BLIND_LEFT", "ブラインド　左"},
    {"BLIND_RIGHT", "ブラインド　右"},
    {"MASK", "マスク"},
    {"MASK_NEGATIVE", "マスク　反転"},
};

const SScriptName kScreenEffects[34] = {
    {"NONE", "なし"},
    {"FADE", "フェード"},
    {"WIPE_SCROLL_UP", "ワイプ　スクロール　上"},
    {"WIPE_SCROLL_DOWN", "ワイプ　スクロール　下"},
    {"WIPE_SCROLL_LEFT", "ワイプ　スクロール　左"},
    {"WIPE_SCROLL_RIGHT", "ワイプ　スクロール　右"},
    {"WIPE_BLIND_UP", "ワイプ　ブラインド　上"},
    {"WIPE_BLIND_DOWN", "ワイプ　ブラインド　下"},
    {"WIPE_BLIND_LEFT", "ワイプ　ブラインド　左"},
    {"WIPE_BLIND_RIGHT", "ワイプ　ブラインド　右"},
    {"WIPE_SCALE_UP", "ワイプ　縮小　上"},
    {"WIPE_SCALE_DOWN", "ワイプ　縮小　下"},
    {"WIPE_SCALE_LEFT", "ワイプ　縮小　左"},
    {"WIPE_SCALE_RIGHT", "ワイプ　縮小　右"},
    {"WIPE_SPOT", "ワイプ　スポット"},
    {"MOSAIC", "モザイク"},
    {"BLUR", "ぼかし"},
    {"BLUR_ZOOM", "ぼかし　放射"},
    {"BLUR_HORZ", "ぼかし　水平"},
    {"FLASH", "フラッシュ"},
    {"NEGATIVE", "ネガ"},
    {"RASTER", "ラスター"},
    {"HAZE", "陽炎"},
    {"VIBRATION_HORZ", "振動　水平"},
    {"VIBRATION_VERT", "振動　垂直"},
    {"VIBRATION_RAND", "振動　ランダム"},
    {"ROTATE_LEFT", "回転　左"},
    {"ROTATE_RIGHT", "回転　右"},
    {"WARP_LEFT", "ゆがみ　左"},
    {"WARP_RIGHT", "ゆがみ　右"},
    {"RIPPLE", "波紋"},
    {"RAIN", "雨"},
    {"SNOW", "雪"},
    {"SAKURA", "桜"},
};

const SScriptName kEffectLevels[3] = {{"LOW", ""}, {"NORMAL", ""}, {"HIGH", ""}};
const SScriptName kColorMaps[4] = {{"NONE", ""}, {"MONOCHROME", ""}, {"SEPIA", ""}, {"NEGATIVE", ""}};
const SScriptName kExitKinds[3] = {
    {"GAME", "ゲーム終了"}, {"MAP", "マップ終了"}, {"SCRIPT", "スクリプト終了"}};
const SScriptName kVerbs[6] = {{"move", ""},  {"look", ""},  {"talk", ""},
                               {"touch", ""}, {"catch", ""}, {"hit", ""}};
const SScriptName kDirections[2] = {{"IN", " イン"}, {"OUT", " アウト"}};

const char* LayerDisplay(int layer) { return layer >= 0 && layer < 7 ? kLayers[layer].display : ""; }

}  // namespace scriptnames
