// The frame's shared effect: depth and normal views of components, and the glow post-process.
@shared
uniform mat4 WorldViewProj;
uniform mat4 Projection;
uniform mat4 World;
uniform mat4 View;
uniform bool depthshade;
uniform bool normalshade;
uniform float screenwidth;
uniform float screenheight;
uniform sampler2D pTex;

@vertex ObjectVS
layout(location = 0) in vec3 position;
layout(location = 3) in vec3 normal;
out vec3 viewNormal;
out float depth;
void main() {
    vec4 clip = vec4(position, 1.0) * WorldViewProj;
    viewNormal = (vec4(normal, 0.0) * World * View).xyz;
    depth = clip.z / max(clip.w, 1e-4);
    gl_Position = ToClip(clip);
}

@fragment DepthPS
in vec3 viewNormal;
in float depth;
out vec4 colour;
void main() { colour = vec4(vec3(1.0 - depth), 1.0); }

@fragment PlainPS
in vec3 viewNormal;
in float depth;
out vec4 colour;
void main() {
    if (normalshade) {
        colour = vec4(normalize(viewNormal) * 0.5 + 0.5, 1.0);
    } else if (depthshade) {
        colour = vec4(vec3(1.0 - depth), 1.0);
    } else {
        colour = vec4(0.0, 0.0, 0.0, 1.0);
    }
}

@vertex ScreenVS
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 uv;
out vec2 texel;
void main() {
    texel = uv;
    gl_Position = vec4(position.x / screenwidth * 2.0 - 1.0, 1.0 - position.y / screenheight * 2.0, 0.0, 1.0);
}

@fragment BlurPS
in vec2 texel;
out vec4 colour;
void main() {
    // A wide soft blur of the glow picture: 25 taps three screen pixels apart (the picture is
    // smaller than the screen) keep it cheap on software renderers while the linear filter fills
    // the gaps.
    vec2 step = vec2(3.0 / screenwidth, 3.0 / screenheight);
    vec3 sum = vec3(0.0);
    for (int x = -2; x <= 2; ++x) {
        for (int y = -2; y <= 2; ++y) {
            // Alpha weighs each glowing surface: 1 for the flat glow colours, less for textured meshes.
            vec4 tap = texture(pTex, texel + vec2(x, y) * step);
            sum += tap.rgb * tap.a;
        }
    }
    colour = vec4(sum / 25.0 * 1.6, 1.0);
}

@fragment AddPS
in vec2 texel;
out vec4 colour;
void main() { colour = vec4(texture(pTex, texel).rgb, 1.0); }

@technique depthmap
pass 0 ObjectVS DepthPS

@technique TechniqueWithoutTexture
pass 0 ObjectVS PlainPS

@technique postprocess
pass 0 ScreenVS BlurPS
pass 1 ScreenVS AddPS additive
