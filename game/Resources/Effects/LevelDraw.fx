// The level's effect: the faces of the block wall, flat-coloured glow boxes and normal-mapped meshes.
// Matrices multiply points from the left; records arrive as float arrays:
// gMtrl = ambient rgba, diffuse rgba, specular rgba, power; gLight = ambient, diffuse, specular, position.
@shared
uniform mat4 gWVP;
uniform mat4 gWorldInv;
uniform float gMtrl[13];
uniform float gLight[15];
uniform float gLight2[15];
uniform vec4 gEyePosW;
uniform sampler2D gTex;
uniform sampler2D gNormalMap;
uniform sampler2D gPatterns;
uniform float intensity;
uniform bool flatShade;
uniform float timer;
uniform float xgrav;
uniform float ygrav;
uniform float gwidth;
uniform float gheight;

// A block's marks over its lit face: `mark` is its pattern cell in gPatterns (square cells one
// under the other), negative for light marks; 0 for none. Light marks lift the face toward white,
// dark ones take most of its light away, so either shows through the glow added over the block.
// Only marked faces read the pattern picture: the wall, most of the screen, never does.
vec4 Marked(vec4 lit, vec2 texel, float mark) {
    if (abs(mark) < 0.5) {
        return lit;
    }
    vec2 size = vec2(textureSize(gPatterns, 0));
    float cells = max(floor(size.y / max(size.x, 1.0)), 1.0);
    // Half a texel inside the cell, so filtering never reaches into the next one's marks.
    vec2 inside = clamp(texel, 0.5 / size.x, 1.0 - 0.5 / size.x);
    float ink = texture(gPatterns, vec2(inside.x, (min(abs(mark), cells - 1.0) + inside.y) / cells)).r;
    vec3 inked = mark < 0.0 ? vec3(0.85) * intensity : lit.rgb * 0.12;
    return vec4(mix(lit.rgb, inked, ink), lit.a);
}

vec3 LightPart(float record[15], int first) { return vec3(record[first], record[first + 1], record[first + 2]); }

// A wall face's pixel: the tile's colour under a steady light from over the viewer's shoulder
// (gLight2 has no position) and the player's light, falling off with the square of its distance.
// The face's normal is one of the box's axes: the relief tilts it across x and y on every face.
vec4 LitFace(vec3 surface, vec2 relief, vec3 worldPos, vec3 faceNormal, vec4 tint, vec3 sunAmbient,
             vec3 sunDiffuse, vec3 playerAt, vec3 playerDiffuse) {
    const vec3 kToSun = vec3(-0.4, 0.6, -1.0) * inversesqrt(1.52);
    vec3 n = normalize(faceNormal + vec3(relief * 0.7 - 0.35, 0.0));
    vec3 lit = sunAmbient + sunDiffuse * max(dot(n, kToSun), 0.0);
    vec3 toPlayer = playerAt - worldPos;
    float distance2 = dot(toPlayer, toPlayer);
    lit += playerDiffuse * max(dot(n, toPlayer), 0.0) * inversesqrt(distance2) / (1.0 + 0.15 * distance2);
    return vec4(tint.rgb * surface * lit, tint.a);
}

@vertex FaceVS
layout(location = 0) in vec3 position;
layout(location = 3) in vec3 normal;
layout(location = 4) in vec2 uv;
layout(location = 5) in vec4 colour;
layout(location = 7) in float pattern;
out vec3 worldPos;
flat out vec3 faceNormal;
out vec2 texel;
flat out float patternCell;
flat out vec4 tint;
flat out vec3 sunAmbient;
flat out vec3 sunDiffuse;
flat out vec3 playerAt;
flat out vec3 playerDiffuse;
void main() {
    // The faces come in world space: each cube keeps only the parts no neighbour covers.
    worldPos = position;
    faceNormal = normal;
    texel = uv;
    patternCell = pattern;
    // What the lights do to every pixel of a face alike is worked out once a corner, not once a pixel.
    vec3 surface = colour.rgb * 2.2 * intensity;
    tint = vec4(surface, colour.a);
    sunAmbient = LightPart(gLight2, 0);
    sunDiffuse = LightPart(gLight2, 4);
    playerAt = LightPart(gLight, 12);
    playerDiffuse = LightPart(gLight, 4) * 3.0;
    gl_Position = ToClip(vec4(worldPos, 1.0) * gWVP);
}

@fragment FacePS
in vec3 worldPos;
flat in vec3 faceNormal;
in vec2 texel;
flat in float patternCell;
flat in vec4 tint;
flat in vec3 sunAmbient;
flat in vec3 sunDiffuse;
flat in vec3 playerAt;
flat in vec3 playerDiffuse;
out vec4 colour;
void main() {
    colour = Marked(LitFace(texture(gTex, texel).rgb, texture(gNormalMap, texel).xy, worldPos, faceNormal, tint,
                            sunAmbient, sunDiffuse, playerAt, playerDiffuse),
                    texel, patternCell);
}

@fragment PackedFacePS
in vec3 worldPos;
flat in vec3 faceNormal;
in vec2 texel;
flat in float patternCell;
flat in vec4 tint;
flat in vec3 sunAmbient;
flat in vec3 sunDiffuse;
flat in vec3 playerAt;
flat in vec3 playerDiffuse;
out vec4 colour;
void main() {
    // One read for both: the tile's red (its green too), its blue, then the relief's x and y.
    vec4 both = texture(gTex, texel);
    colour = Marked(LitFace(both.xxy, both.zw, worldPos, faceNormal, tint, sunAmbient, sunDiffuse, playerAt,
                            playerDiffuse),
                    texel, patternCell);
}

@vertex GlowInstanceVS
layout(location = 0) in vec3 position;
layout(location = 3) in vec3 normal;
layout(location = 5) in vec4 colour;
layout(location = 6) in vec4 place;
flat out vec4 glow;
void main() {
    // As FlatPS glows a block, a face at a time: the diffuse colour, brightest face on.
    glow = vec4(colour.rgb * 0.5 * (0.6 + 0.4 * abs(normal.z)) * intensity, 1.0);
    gl_Position = ToClip(vec4(position + place.xyz + vec3(0.5), 1.0) * gWVP);
}

@fragment GlowInstancePS
flat in vec4 glow;
out vec4 colour;
void main() { colour = glow; }

@vertex MeshVS
layout(location = 0) in vec3 position;
layout(location = 3) in vec3 normal;
layout(location = 4) in vec2 uv;
out vec3 localNormal;
out vec2 texel;
void main() {
    localNormal = normal;
    texel = uv;
    gl_Position = ToClip(vec4(position, 1.0) * gWVP);
}

@fragment FlatPS
in vec3 localNormal;
in vec2 texel;
out vec4 colour;
void main() {
    vec3 n = normalize(localNormal);
    if (flatShade) {
        // Blocks glow in their material's diffuse colour, brightest face on; black materials give none.
        float rim = 0.6 + 0.4 * abs(n.z);
        colour = vec4(vec3(gMtrl[4], gMtrl[5], gMtrl[6]) * 0.5 * rim * intensity, 1.0);
    } else {
        // Meshes (the players, the power-up) glow in the flat material, ambient and diffuse, as a
        // halo brightest at their outline and at 0.6 of a block's strength (alpha weighs the glow),
        // so the glow rings them without washing out their colours.
        float outline = 0.45 + 0.55 * (1.0 - abs(n.z));
        vec3 glow = vec3(gMtrl[0], gMtrl[1], gMtrl[2]) + vec3(gMtrl[4], gMtrl[5], gMtrl[6]);
        colour = vec4(glow * 0.5 * outline * intensity, 0.6);
    }
}

@fragment NormalMapPS
in vec3 localNormal;
in vec2 texel;
out vec4 colour;
void main() {
    vec3 n = normalize(localNormal);
    float diffuse = max(dot(n, normalize(vec3(-0.4, 0.6, -1.0))), 0.0);
    vec3 base = texture(gTex, texel).rgb;
    vec3 ambient = vec3(gMtrl[0], gMtrl[1], gMtrl[2]);
    vec3 lit = flatShade ? ambient + vec3(gMtrl[4], gMtrl[5], gMtrl[6]) * diffuse
                         : base * (ambient * 0.5 + vec3(gMtrl[4], gMtrl[5], gMtrl[6]) * diffuse);
    // The pass is opaque, so alpha is free to say how strongly the surface glows where the frame
    // draws it into its glow picture: a textured mesh only softly, or a crate would bloom white.
    colour = vec4(lit * intensity, 0.2);
}

@fragment GhostPS
in vec3 localNormal;
in vec2 texel;
out vec4 colour;
void main() {
    // A best run's ghost: the player's texture washed toward a pale blue, lit as a mesh and seen
    // through, so the level and the player stay visible behind it.
    vec3 n = normalize(localNormal);
    float diffuse = max(dot(n, normalize(vec3(-0.4, 0.6, -1.0))), 0.0);
    vec3 base = mix(texture(gTex, texel).rgb, vec3(0.45, 0.75, 1.0), 0.7);
    colour = vec4(base * (0.85 + 0.5 * diffuse) * intensity, 0.4);
}

@fragment GravPS
in vec3 localNormal;
in vec2 texel;
out vec4 colour;
void main() {
    // A gravity zone's field: chevrons (gTex points them toward v = 1) one unit apart, turned to
    // and drifting along the pull (xgrav, ygrav). Texture v runs down the box's faces.
    vec2 pull = vec2(xgrav, -ygrav);
    pull = dot(pull, pull) > 1e-8 ? normalize(pull) : vec2(0.0, 1.0);
    vec2 p = texel * vec2(max(gwidth, 1.0), max(gheight, 1.0));
    vec4 field = texture(gTex, vec2(dot(p, vec2(pull.y, -pull.x)), dot(p, pull) - timer * 1.5));
    // Only the side facing the camera shows, so the box does not stack up its own faces.
    float facing = clamp(-normalize(localNormal).z, 0.0, 1.0);
    colour = vec4(field.rgb * intensity, (0.05 + 0.22 * field.a) * facing);
}

@fragment GravSpherePS
in vec3 localNormal;
in vec2 texel;
out vec4 colour;
void main() {
    // A soap-bubble skin: clear in the middle, bright toward the rim, its rings drifting with the
    // spring's travel (xgrav, ygrav) and brighter while it moves fast (gwidth, gheight).
    vec3 n = normalize(localNormal);
    float rim = 1.0 - abs(n.z);
    vec4 skin = texture(gTex, texel + vec2(xgrav, ygrav) * 0.001 + vec2(0.0, timer * 0.05));
    float energy = clamp(length(vec2(gwidth, gheight)) / 1.5, 0.0, 1.0);
    vec3 tint = vec3(0.45, 0.7, 1.0) * (0.6 + 0.6 * skin.rgb);
    float alpha = (0.04 + 0.55 * rim * rim * rim) * (0.5 + 0.5 * skin.a) * (0.6 + 0.4 * energy);
    colour = vec4(tint * intensity, alpha);
}

@technique Faces
pass 0 FaceVS FacePS alpha

@technique PackedFaces
pass 0 FaceVS PackedFacePS alpha

@technique GlowInstance
pass 0 GlowInstanceVS GlowInstancePS

@technique FlatMtrlTech
pass 0 MeshVS FlatPS

@technique NormalMapTech
pass 0 MeshVS NormalMapPS

@technique GhostTech
pass 0 MeshVS GhostPS alpha

@technique GravTech
pass 0 MeshVS GravPS alpha

@technique GravSphereTech
pass 0 MeshVS GravSpherePS alpha
