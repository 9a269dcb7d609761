#version 330 core
// Skinned meshes: position, normal, texture coordinate, four bone indices and their weights.
// Each vertex is moved by the weighted sum of its bones' matrices. The tint colours the whole
// mesh, its alpha making it translucent; a tint of zero draws it untinted.

in vec3 aPosition;
in vec3 aNormal;
in vec2 aTexCoord;
in uvec4 aBoneIndices;
in vec4 aBoneWeights;

uniform mat4 uModelViewMatrix;
uniform mat4 uProjectionMatrix;
uniform mat4 uModelMatrix;
uniform mat4 uBoneMatrices[64];
uniform vec4 uTint;

out vec3 vWorldPosition;
out vec3 vViewPosition;
out vec3 vNormal;
out vec4 vColor;
out vec2 vTexCoord;

const uint MAX_BONE = 63u;

mat4 skinMatrix()
{
    float total = aBoneWeights.x + aBoneWeights.y + aBoneWeights.z + aBoneWeights.w;
    if (total <= 0.0)
        return mat4(1.0);
    mat4 skin = aBoneWeights.x * uBoneMatrices[min(aBoneIndices.x, MAX_BONE)]
              + aBoneWeights.y * uBoneMatrices[min(aBoneIndices.y, MAX_BONE)]
              + aBoneWeights.z * uBoneMatrices[min(aBoneIndices.z, MAX_BONE)]
              + aBoneWeights.w * uBoneMatrices[min(aBoneIndices.w, MAX_BONE)];
    return skin / total;
}

void main()
{
    mat4 skin = skinMatrix();
    vec4 skinned = skin * vec4(aPosition, 1.0);
    vec4 viewPosition = uModelViewMatrix * skinned;
    vWorldPosition = (uModelMatrix * skinned).xyz;
    vViewPosition = viewPosition.xyz;
    vNormal = mat3(uModelMatrix) * mat3(skin) * aNormal;
    vColor = uTint == vec4(0.0) ? vec4(1.0) : uTint;
    vTexCoord = aTexCoord;
    gl_Position = uProjectionMatrix * viewPosition;
}
