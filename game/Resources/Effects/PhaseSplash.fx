// The particle effect: point sprites for the four splashes and the dust. Splash particles move here,
// from their initial values and the system's clock; dust motes arrive already moved (they wrap
// around the player) and are only placed and sized.
// Attributes follow the particle record: position, velocity, size, start time, life time, mass, colour.
@shared
uniform mat4 gWVP;
uniform vec4 gEyePosL;
uniform sampler2D gTex;
uniform float gTime;
uniform vec4 gAccel;
uniform float gViewportHeight;

// Pixels across a sprite `worldSize` units wide seen from `distance` units away: 1.678 is twice the
// tangent of half the frame's 80 degree field of view.
float SpritePixels(float worldSize, float distance) {
    return gViewportHeight * worldSize / (1.678 * max(distance, 0.5));
}

// The sprite's texel at `at` (gl_PointCoord, which only fragment stages have) in the stage's hue.
vec4 Sprite(vec3 hue, vec4 tint, vec2 at) {
    vec4 texel = texture(gTex, at);
    return vec4(hue * tint.rgb * texel.rgb, tint.a * texel.a);
}

@vertex SplashVS
layout(location = 0) in vec3 initialPos;
layout(location = 1) in vec3 initialVel;
layout(location = 2) in float initialSize;
layout(location = 3) in float initialTime;
layout(location = 4) in float lifeTime;
layout(location = 6) in vec4 initialColour;
out vec4 tint;
void main() {
    float age = max(gTime - initialTime, 0.0);
    vec3 p = initialPos + initialVel * age + 0.5 * gAccel.xyz * age * age;
    // Droplets fade and shrink to half their size over their life.
    float left = clamp(1.0 - age / max(lifeTime, 0.001), 0.0, 1.0);
    gl_Position = ToClip(vec4(p, 1.0) * gWVP);
    gl_PointSize = SpritePixels(initialSize * 0.035 * (0.5 + 0.5 * left), distance(p, gEyePosL.xyz));
    tint = vec4(initialColour.rgb, initialColour.a * left);
}

@vertex DustVS
layout(location = 0) in vec3 initialPos;
layout(location = 2) in float initialSize;
layout(location = 6) in vec4 initialColour;
out vec4 tint;
void main() {
    gl_Position = ToClip(vec4(initialPos, 1.0) * gWVP);
    gl_PointSize = SpritePixels(initialSize * 0.02, distance(initialPos, gEyePosL.xyz));
    tint = initialColour;
}

@fragment BluePS
in vec4 tint;
out vec4 colour;
void main() { colour = Sprite(vec3(0.35, 0.6, 1.0), tint, gl_PointCoord); }

@fragment RedPS
in vec4 tint;
out vec4 colour;
void main() { colour = Sprite(vec3(1.0, 0.25, 0.2), tint, gl_PointCoord); }

@fragment GreenPS
in vec4 tint;
out vec4 colour;
void main() { colour = Sprite(vec3(0.3, 1.0, 0.35), tint, gl_PointCoord); }

@fragment YellowPS
in vec4 tint;
out vec4 colour;
void main() { colour = Sprite(vec3(1.0, 0.9, 0.3), tint, gl_PointCoord); }

@fragment DustPS
in vec4 tint;
out vec4 colour;
void main() { colour = Sprite(vec3(0.85, 0.82, 0.75), tint * vec4(1.0, 1.0, 1.0, 0.55), gl_PointCoord); }

// Additive: sprites brighten what is behind them and need no sorting.
@technique PhaseSplashTech
pass 0 SplashVS BluePS additive

@technique RedSplashTech
pass 0 SplashVS RedPS additive

@technique GreenSplashTech
pass 0 SplashVS GreenPS additive

@technique YellowSplashTech
pass 0 SplashVS YellowPS additive

@technique DustTech
pass 0 DustVS DustPS additive
