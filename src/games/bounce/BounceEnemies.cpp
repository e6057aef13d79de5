// The enemies' step of the brick game's screen: waiting enemies try to enter, active ones move, and each
// meets the balls in play.
#include "gamelib/Score.h"
#include "games/bounce/Bounce.h"

namespace bounce {

namespace {

constexpr int32_t kHitSparks = 10;

}  // namespace

void Bounce::updateEnemies() {
  Platform& paddle = *platform;
  for (int32_t i = 0; i < enemySlots; ++i) {
    Enemy& enemy = *(*enemies)[i];
    if (!enemy.active) enemy.trySpawn();
    if (!enemy.active) continue;
    enemy.move();
    // The enemy meets every ball in this step, even after it left or swallowed one.
    for (int32_t j = 0; j < ballSlots; ++j) {
      BallPtr ballPtr = (*balls)[j];
      Ball& ball = *ballPtr;
      if (!ball.inPlay) continue;
      const int32_t ex = ball.x - enemy.x;
      const int32_t ey = ball.y - enemy.y;
      if (ex * ex + ey * ey > (enemy.height + ball.radius) * (ball.radius + enemy.width)) continue;

      if (enemy.kind != Enemy::KIND_SWALLOWER || ball.kind >= Ball::KIND_FIRE_SMALL) {
        enemy.deactivate();
        ball.dx = -ball.dx;
        ball.dy = -ball.dy;
        brickList->score = gamelib::addPoints(brickList->score, 1);
        playSound(SOUND_HIT_BRICK);
        spawnParticles(kHitSparks, PARTICLE_SPARK, ball.x, ball.y, 0);
        continue;
      }
      if (paddle.ballsInPlay != 1) {
        ball.inPlay = false;
        enemy.carriedBall = ballPtr;
        enemy.kind = Enemy::KIND_CARRIER;
        paddle.ballsInPlay -= 1;
        continue;
      }
      // The last ball in play: ballLost takes the one life it costs.
      if (lives < 1) {
        paddle.ballsInPlay = 1;
        ballLost();
        continue;
      }
      if (lives == 1) {
        paddle.ballsInPlay = 1;
        ballLost();
        return;
      }
      // The life goes with the swallowed ball, so only when a new ball can take its place.
      for (int32_t k = 0; k < ballSlots; ++k) {
        BallPtr spare = (*balls)[k];
        if (spare->visible) continue;
        lives -= 1;
        playSound(SOUND_DIE);
        spare->released = false;
        spare->visible = false;
        spare->inPlay = true;
        spare->radius = ball.radius;
        spare->reset(paddle.x + spare->radius, paddle.top - 1);
        ball.inPlay = false;
        enemy.carriedBall = ballPtr;
        enemy.kind = Enemy::KIND_CARRIER;
        break;
      }
    }
  }
}

}  // namespace bounce
